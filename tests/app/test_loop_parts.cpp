// Two parts of the window system's loop that need no window: which video
// driver is tried first, and which part of a picture a present must send.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui/display/DriverChoice.h"
#include "platform/ui/loop/FrameDiff.h"

namespace {

TEST(DriverChoice, WaylandFirstInAWaylandSessionThenX11AndWhatIsAskedForFirstOfAll)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(AfxChooseVideoDrivers(nullptr, TRUE, TRUE), (V{"wayland", "x11"}));
    EXPECT_EQ(AfxChooseVideoDrivers("", TRUE, FALSE), (V{"wayland"}));
    EXPECT_EQ(AfxChooseVideoDrivers(nullptr, FALSE, TRUE), (V{"x11"}));
    EXPECT_EQ(AfxChooseVideoDrivers("x11", TRUE, TRUE), (V{"x11", "wayland"}));
    EXPECT_EQ(AfxChooseVideoDrivers("dummy", TRUE, TRUE), (V{"dummy"}));
    EXPECT_EQ(AfxChooseVideoDrivers(nullptr, FALSE, FALSE), V{});
}

TEST(FrameDiff, OnlyWhatChangedIsPresentedAndAllOfItAfterAReset)
{
    constexpr int w = 8;
    constexpr int h = 6;
    std::vector<uint32_t> pixels(w * h, 0);
    CFrameDiff diff;
    EXPECT_EQ(diff.Update(pixels.data(), w * 4, w, h), CRect(0, 0, w, h)) << "the first picture";
    EXPECT_TRUE(diff.Update(pixels.data(), w * 4, w, h).IsRectEmpty()) << "nothing changed";
    pixels[1 * w + 6] = 1;
    pixels[4 * w + 2] = 1;
    EXPECT_EQ(diff.Update(pixels.data(), w * 4, w, h), CRect(2, 1, 7, 5));
    pixels[5 * w + 7] = 2; // the last pixel
    EXPECT_EQ(diff.Update(pixels.data(), w * 4, w, h), CRect(7, 5, 8, 6));
    diff.Reset();
    EXPECT_EQ(diff.Update(pixels.data(), w * 4, w, h), CRect(0, 0, w, h));
}

} // namespace
