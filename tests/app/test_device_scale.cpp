// The device scale: each source on its own, their order, values that are
// ignored with a warning, and Xft.dpi read from a resource database.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ui/DeviceScale.h"
#include "platform/ui/XftDpi.h"

namespace {

DEVICESCALESOURCES Sources(const char* pszQuindle, const char* pszGdk, const char* pszDpi, double dOutput)
{
    DEVICESCALESOURCES sources;
    sources.pszQuindleScale = pszQuindle;
    sources.pszGdkScale = pszGdk;
    sources.pszXftDpi = pszDpi;
    sources.dOutputScale = dOutput;
    return sources;
}

int Choose(const DEVICESCALESOURCES& sources, std::vector<std::string>* pWarnings = nullptr)
{
    return AfxChooseDeviceScale(sources, pWarnings);
}

TEST(DeviceScale, EachSourceAloneGivesItsScale)
{
    EXPECT_EQ(Choose(Sources(nullptr, nullptr, nullptr, 0)), 1);
    EXPECT_EQ(Choose(Sources("3", nullptr, nullptr, 0)), 3);
    EXPECT_EQ(Choose(Sources(nullptr, "2", nullptr, 0)), 2);
    // Xft.dpi / 96 rounded down, at least 1, at most 4.
    EXPECT_EQ(Choose(Sources(nullptr, nullptr, "192", 0)), 2);
    EXPECT_EQ(Choose(Sources(nullptr, nullptr, "287.9", 0)), 2);
    EXPECT_EQ(Choose(Sources(nullptr, nullptr, "72", 0)), 1);
    EXPECT_EQ(Choose(Sources(nullptr, nullptr, "960", 0)), 4);
    // A fractional output scale takes the next whole number.
    EXPECT_EQ(Choose(Sources(nullptr, nullptr, nullptr, 2.0)), 2);
    EXPECT_EQ(Choose(Sources(nullptr, nullptr, nullptr, 1.25)), 2);
    EXPECT_EQ(Choose(Sources(nullptr, nullptr, nullptr, 6.0)), 4);
}

TEST(DeviceScale, TheFirstSourceThatIsSetDecides)
{
    EXPECT_EQ(Choose(Sources("1", "3", "288", 2.0)), 1);
    EXPECT_EQ(Choose(Sources(nullptr, "3", "192", 2.0)), 3);
    EXPECT_EQ(Choose(Sources(nullptr, nullptr, "96", 2.0)), 1);
    // An empty variable counts as unset, without a word.
    std::vector<std::string> warnings;
    EXPECT_EQ(Choose(Sources("", "", nullptr, 3.0), &warnings), 3);
    EXPECT_TRUE(warnings.empty());
}

TEST(DeviceScale, InvalidValuesAreSkippedWithOneLineEach)
{
    for (const char* pszBad : {"0", "-2", "two", "5", "2.5", "2x", "99999999999999999999"}) {
        std::vector<std::string> warnings;
        EXPECT_EQ(Choose(Sources(pszBad, "2", nullptr, 0), &warnings), 2) << pszBad;
        ASSERT_EQ(warnings.size(), 1u) << pszBad;
        EXPECT_NE(warnings[0].find("QUINDLE_SCALE"), std::string::npos) << warnings[0];
        EXPECT_NE(warnings[0].find(pszBad), std::string::npos) << warnings[0];
    }
    std::vector<std::string> warnings;
    EXPECT_EQ(Choose(Sources("abc", "0", "lots", 2.0), &warnings), 2);
    ASSERT_EQ(warnings.size(), 3u);
    EXPECT_NE(warnings[1].find("GDK_SCALE"), std::string::npos);
    EXPECT_NE(warnings[2].find("Xft.dpi"), std::string::npos);
}

TEST(DeviceScale, EachWarningReachesStderrOncePerProcess)
{
    const DEVICESCALESOURCES bad = Sources("seven", nullptr, nullptr, 0);
    testing::internal::CaptureStderr();
    EXPECT_EQ(AfxGetDeviceScale(bad), 1);
    EXPECT_EQ(AfxGetDeviceScale(bad), 1);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("QUINDLE_SCALE=\"seven\""), std::string::npos) << said;
}

TEST(XftDpi, IsReadFromTheResourceDatabaseText)
{
    EXPECT_EQ(AfxXftDpiFromResources("Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n"), "192");
    EXPECT_EQ(AfxXftDpiFromResources("*dpi: 144\n"), "144");
    EXPECT_EQ(AfxXftDpiFromResources("Xft.antialias: 1\n"), "");
    EXPECT_EQ(AfxXftDpiFromResources(""), "");
    EXPECT_EQ(AfxXftDpiFromResources(nullptr), "");
    EXPECT_EQ(AfxReadXftDpi(nullptr), "");
}

} // namespace
