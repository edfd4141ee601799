// Our Wayland client against a compositor the test drives: configures,
// outputs and seats that come and go, and buffers the compositor keeps.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include "tests/wayland/ClientHarness.h"

namespace {

TEST(WaylandClientTest, ConfiguresGiveSizesStatesAndBoundsBeforeAndAfterTheFirstBuffer)
{
    CFakeCompositor fake;
    fake.AddOutput(1, 1920, 1080);
    CClient client;
    client.pWindow->Show();
    client.Paint(0x123456);
    CFakeCompositor::SEEN seen = fake.See();
    EXPECT_EQ(seen.nBufferCommits, 0) << "no buffer before the first configure";
    EXPECT_EQ(seen.cxMin, kW);
    EXPECT_EQ(seen.cyMax, kH) << "one fixed size";
    EXPECT_EQ(seen.versions["xdg_wm_base"], 5u) << "bound at the highest version both know";
    EXPECT_EQ(seen.versions["wl_compositor"], 5u);
    EXPECT_EQ(seen.versions["wl_output"], 4u);

    const uint32_t nSerial = fake.Configure(0, 0, {XDG_TOPLEVEL_STATE_ACTIVATED}, 1900, 1020);
    client.Sync();
    EXPECT_EQ(fake.See().nAcked, nSerial);
    EXPECT_EQ(client.Count(EWindowChange::kShown), 1);
    EXPECT_EQ(client.Count(EWindowChange::kExposed), 1);
    EXPECT_TRUE(client.pWindow->IsActivated());
    EXPECT_EQ(client.pWindow->GetWorkArea(), CRect(0, 0, 1900, 1020)) << "the bounds, not the whole output";
    client.Paint(0x123456);
    seen = fake.See();
    EXPECT_EQ(seen.nBufferCommits, 1);
    EXPECT_EQ(seen.cxBuffer, kW);
    EXPECT_EQ(seen.cyBuffer, kH);

    // Fullscreen lifts the fixed size and takes the size the compositor gives.
    client.pWindow->SetFullscreen(TRUE);
    client.Sync();
    EXPECT_EQ(fake.See().cxMax, 0);
    fake.Configure(1920, 1080, {XDG_TOPLEVEL_STATE_FULLSCREEN, XDG_TOPLEVEL_STATE_ACTIVATED});
    client.Sync();
    EXPECT_EQ(client.Count(EWindowChange::kSizeChanged), 1);
    fake.SendFrames();
    client.Sync();
    client.Paint(0x654321);
    EXPECT_EQ(fake.See().cxBuffer, 1920);
    // Back: the one size again, and a size the compositor suggests outside fullscreen is not taken.
    client.pWindow->SetFullscreen(FALSE);
    fake.Configure(800, 600, {});
    client.Sync();
    int cx = 0;
    int cy = 0;
    client.pWindow->GetSize(&cx, &cy);
    EXPECT_EQ(cx, kW);
    EXPECT_EQ(cy, kH);
    EXPECT_FALSE(client.pWindow->IsActivated());
    EXPECT_EQ(client.Count(EWindowChange::kSizeChanged), 2);
}

TEST(WaylandClientTest, OutputsComeAndGoAndTheirScaleIsFollowed)
{
    CFakeCompositor fake(CFakeCompositor::OPTIONS{4, true, 0, CFakeCompositor::kKeymapGood});
    const int a = fake.AddOutput(1, 1600, 1200);
    CClient client;
    client.Map(fake);
    EXPECT_EQ(fake.See().versions["xdg_wm_base"], 4u);
    fake.EnterOutput(a);
    client.Sync();
    EXPECT_EQ(client.pWindow->GetWorkArea(), CRect(0, 0, 1600, 1200)) << "no bounds sent: the output";
    fake.SetOutputScale(a, 2);
    client.Sync();
    EXPECT_EQ(client.pWindow->GetBufferScale(), 2);
    EXPECT_EQ(client.Count(EWindowChange::kDisplayChanged), 1);
    EXPECT_EQ(client.pWindow->GetWorkArea(), CRect(0, 0, 800, 600));
    client.Paint(0x112233);
    CFakeCompositor::SEEN seen = fake.See();
    EXPECT_EQ(seen.cxBuffer, 2 * kW);
    EXPECT_EQ(seen.nScale, 2);

    // A second output at 3, added later: on both, the larger scale.
    const int b = fake.AddOutput(3, 3840, 2160);
    client.Sync();
    fake.EnterOutput(b);
    client.Sync();
    EXPECT_EQ(client.pWindow->GetBufferScale(), 3);
    EXPECT_EQ(fake.See().nOutputs, 2);
    fake.RemoveOutput(b);
    client.Sync();
    EXPECT_EQ(client.pWindow->GetBufferScale(), 2) << "left the output that went";
    EXPECT_EQ(fake.See().nOutputs, 1) << "the client released it";
    fake.RemoveOutput(a);
    client.Sync();
    EXPECT_EQ(client.pWindow->GetBufferScale(), 2) << "on no output, the last scale stays";
    EXPECT_EQ(fake.See().nOutputs, 0);
}

TEST(WaylandClientTest, ASeatRemovedAndAddedAgainGivesItsInputBack)
{
    CFakeCompositor fake;
    fake.AddSeat();
    CClient client;
    client.Map(fake);
    fake.KeyboardEnter();
    fake.Key(KEY_A, true);
    client.Sync();
    EXPECT_EQ(client.Count(EWindowChange::kFocusGained), 1);
    EXPECT_EQ(client.LastVirtualKey(), UINT('A'));
    EXPECT_EQ(client.pConnection->GetKeyboardFocus(), client.pWindow.get());
    EXPECT_EQ(client.LastKey()->nRepeatDelay, 600u) << "the compositor's delay and rate, for the loop to repeat";
    EXPECT_EQ(client.LastKey()->nRepeatPeriod, 40u);
    fake.RepeatInfo(50, 200);
    fake.Key(KEY_DOWN, true);
    fake.Key(KEY_LEFTSHIFT, true);
    client.Sync();
    EXPECT_EQ(client.events[client.events.size() - 2].nRepeatPeriod, 20u) << "a key pressed after the new rate";
    EXPECT_EQ(client.LastKey()->nRepeatPeriod, 0u) << "the keymap does not repeat Shift";
    fake.RepeatInfo(0, 200);
    fake.Key(KEY_UP, true);
    client.Sync();
    EXPECT_EQ(client.LastVirtualKey(), UINT(VK_UP));
    EXPECT_EQ(client.LastKey()->nRepeatPeriod, 0u) << "a rate of 0: no repeat";

    fake.RemoveSeat();
    client.Sync();
    EXPECT_EQ(client.Count(EWindowChange::kFocusLost), 1);
    EXPECT_EQ(client.pConnection->GetKeyboardFocus(), nullptr);
    EXPECT_EQ(client.events.back().change, EWindowChange::kFocusLost) << "last: the loop's repeat stops";
    CFakeCompositor::SEEN seen = fake.See();
    EXPECT_EQ(seen.nSeats, 0) << "seat released";
    EXPECT_EQ(seen.nKeyboards, 0) << "keyboard released";

    fake.AddSeat();
    client.Sync();
    client.Sync();
    EXPECT_EQ(client.pConnection->GetSeatCount(), 1);
    EXPECT_EQ(fake.See().versions["wl_seat"], 8u);
    fake.KeyboardEnter();
    fake.Key(KEY_B, true);
    client.Sync();
    EXPECT_EQ(client.Count(EWindowChange::kFocusGained), 2);
    EXPECT_EQ(client.LastVirtualKey(), UINT('B'));
}

TEST(WaylandClientTest, BuffersTheCompositorKeepsAreNeverWrittenAndTheRingStaysBounded)
{
    CFakeCompositor fake;
    CClient client;
    client.Map(fake);
    client.Paint(1);
    client.Paint(2);
    EXPECT_EQ(fake.See().nBufferCommits, 1) << "the second present waits for the frame callback";
    fake.SendFrames();
    client.Sync();
    EXPECT_EQ(fake.See().nBufferCommits, 2) << "and goes when it comes";
    fake.SendFrames();
    client.Sync();
    client.Paint(3);
    EXPECT_EQ(fake.See().nBufferCommits, 3);

    // Every buffer held, and the frame callback not yet come: a release alone does not commit.
    client.Paint(4);
    fake.Release(1);
    client.Sync();
    CFakeCompositor::SEEN seen = fake.See();
    EXPECT_EQ(seen.nBufferCommits, 3);
    fake.SendFrames();
    client.Sync();
    seen = fake.See();
    EXPECT_EQ(seen.nBufferCommits, 4) << "the waiting present goes into the buffer released";
    EXPECT_EQ(seen.nHeld, 3);

    // Released out of order, the first one never: many more frames.
    for (Uint32 n = 5; n < 20; ++n) {
        fake.Release(1 + int(n % 2));
        fake.SendFrames();
        client.Sync();
        client.Paint(n);
    }
    seen = fake.See();
    EXPECT_FALSE(seen.bHeldWritten) << "no buffer written while the compositor held it";
    EXPECT_LE(client.pFrameBuffer->GetBufferCount(), 3);
    EXPECT_GE(seen.nBufferCommits, 15);
}

} // namespace
