// The device scale: each source, their order, values skipped with a warning,
// and Xft.dpi read from a resource database.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ui/display/DeviceScale.h"
#include "platform/ui/display/XftDpi.h"

namespace {

int Choose(const char* pszQuindle, const char* pszGdk, const char* pszDpi, double dOutput,
           std::vector<std::string>* pWarnings = nullptr)
{
    DEVICESCALESOURCES sources;
    sources.pszQuindleScale = pszQuindle;
    sources.pszGdkScale = pszGdk;
    sources.pszXftDpi = pszDpi;
    sources.dOutputScale = dOutput;
    return AfxChooseDeviceScale(sources, pWarnings);
}

TEST(DeviceScale, EachSourceAloneAndTheFirstSetDecides)
{
    EXPECT_EQ(Choose(nullptr, nullptr, nullptr, 0), 1);
    EXPECT_EQ(Choose("3", nullptr, nullptr, 0), 3);
    EXPECT_EQ(Choose(nullptr, "2", nullptr, 0), 2);
    // dpi / 96 rounded down, within 1 .. 4; a fractional output scale rounds up.
    EXPECT_EQ(Choose(nullptr, nullptr, "287.9", 0), 2);
    EXPECT_EQ(Choose(nullptr, nullptr, "72", 0), 1);
    EXPECT_EQ(Choose(nullptr, nullptr, "960", 0), 4);
    EXPECT_EQ(Choose(nullptr, nullptr, nullptr, 1.25), 2);
    EXPECT_EQ(Choose(nullptr, nullptr, nullptr, 2.0), 2);
    // The order; an empty variable is unset.
    EXPECT_EQ(Choose("1", "3", "288", 2.0), 1);
    EXPECT_EQ(Choose("", "3", "192", 2.0), 3);
    EXPECT_EQ(Choose(nullptr, "", "96", 2.0), 1);
}

TEST(DeviceScale, InvalidValuesAreSkippedWithOneLineEach)
{
    for (const char* pszBad : {"0", "-2", "two", "5", "2.5", "99999999999999999999"}) {
        std::vector<std::string> warnings;
        EXPECT_EQ(Choose(pszBad, "2", nullptr, 0, &warnings), 2) << pszBad;
        ASSERT_EQ(warnings.size(), 1u) << pszBad;
        EXPECT_NE(warnings[0].find("QUINDLE_SCALE=\"" + std::string(pszBad) + "\""), std::string::npos) << warnings[0];
    }
    std::vector<std::string> warnings;
    EXPECT_EQ(Choose("abc", "0", "lots", 3.0, &warnings), 3);
    ASSERT_EQ(warnings.size(), 3u);
    EXPECT_NE(warnings[2].find("Xft.dpi"), std::string::npos);
    // A value with a line break or of any length still makes one short line.
    warnings.clear();
    const std::string huge = "2\n" + std::string(100000, '9');
    EXPECT_EQ(Choose(huge.c_str(), nullptr, huge.c_str(), 0, &warnings), 1);
    ASSERT_EQ(warnings.size(), 2u);
    for (const std::string& line : warnings) {
        EXPECT_EQ(line.find('\n'), std::string::npos) << line;
        EXPECT_LT(line.size(), 120u) << line;
    }

    // On stderr each line comes once, however many windows ask.
    DEVICESCALESOURCES bad;
    bad.pszQuindleScale = "seven";
    testing::internal::CaptureStderr();
    AfxGetDeviceScale(bad);
    AfxGetDeviceScale(bad);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

TEST(XftDpi, IsReadFromTheResourceDatabaseText)
{
    EXPECT_EQ(AfxXftDpiFromResources("Xft.antialias:\t1\nXft.dpi:\t192\n"), "192");
    EXPECT_EQ(AfxXftDpiFromResources("*dpi: 144\n"), "144");
    EXPECT_EQ(AfxXftDpiFromResources("Xft.antialias: 1\n"), "");
    EXPECT_EQ(AfxXftDpiFromResources(nullptr), "");
    // The resource manager's matching: by class too, '?' and '*' for levels,
    // the more specific entry first whatever the order, the later of equals.
    EXPECT_EQ(AfxXftDpiFromResources("Xft.Dpi:  120 \n"), "120");
    EXPECT_EQ(AfxXftDpiFromResources("?.dpi: 100\n*dpi: 50\n"), "100");
    EXPECT_EQ(AfxXftDpiFromResources("Xft.dpi: 192\n*dpi: 96\nXft*dpi: 144\n"), "192");
    EXPECT_EQ(AfxXftDpiFromResources("*dpi: 96\nXft*dpi: 144\n"), "144");
    EXPECT_EQ(AfxXftDpiFromResources("Xft.dpi: 96\nXft.dpi: 192"), "192");
    EXPECT_EQ(AfxXftDpiFromResources("Xft.dpix: 1\nXft.dpi.more: 2\nXterm.dpi: 3\n! Xft.dpi: 4\nXft.dpi 5\n"), "");
}

} // namespace
