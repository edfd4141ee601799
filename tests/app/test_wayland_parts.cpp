// The parts of our Wayland client that need no compositor: which
// shared-memory buffer a present writes and what it copies into it, the
// keyboard's keys as the same virtual keys X11's give, the repeat the loop
// makes of held keys, and the wheel.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <cstdlib>

#include "platform/ui/display/wayland/SeatState.h"
#include "platform/ui/display/wayland/ShmRing.h"
#include "platform/core/VirtualKeys.h"
#include "platform/ui/display/KeyTable.h"
#include "platform/ui/display/wayland/WaylandKeys.h"
#include "platform/ui/loop/KeyRepeat.h"

namespace {

constexpr int kW = 558;
constexpr int kH = 251;

TEST(ShmRingTest, AHeldBufferIsNeverWrittenAndAFreeOneIsReusedWithOnlyWhatItLacks)
{
    CShmRing ring;
    BOOL bRemake = FALSE;
    const int a = ring.Acquire(kW, kH, &bRemake);
    EXPECT_TRUE(bRemake) << "a new buffer is made";
    EXPECT_EQ(ring.TakeStale(a), CRect(0, 0, kW, kH)) << "new memory gets the whole picture";
    ring.MarkHeld(a);

    // The compositor holds a: the next present goes to a second buffer.
    ring.NoteChange(CRect(10, 10, 20, 20));
    const int b = ring.Acquire(kW, kH, &bRemake);
    EXPECT_NE(b, a);
    EXPECT_EQ(ring.TakeStale(b), CRect(0, 0, kW, kH));
    ring.MarkHeld(b);

    // a comes back: it lacks only what changed since it was written.
    ring.Release(a);
    ring.NoteChange(CRect(100, 50, 110, 60));
    EXPECT_EQ(ring.Acquire(kW, kH, &bRemake), a);
    EXPECT_FALSE(bRemake) << "a free buffer of the right size is reused";
    EXPECT_EQ(ring.GetAge(a), 2u) << "written two presents ago";
    EXPECT_EQ(ring.TakeStale(a), CRect(10, 10, 110, 60)) << "both changes since a was written";
    EXPECT_EQ(ring.GetAge(a), 1u);
    EXPECT_EQ(ring.GetCount(), 2);
}

TEST(ShmRingTest, AtMostThreeBuffersThenThePresentWaitsAndAResizeRemakesOnlyFreeOnes)
{
    CShmRing ring;
    BOOL bRemake = FALSE;
    for (int i = 0; i < CShmRing::kMaxBuffers; ++i) {
        const int n = ring.Acquire(kW, kH, &bRemake);
        ASSERT_EQ(n, i);
        ring.TakeStale(n);
        ring.MarkHeld(n);
    }
    EXPECT_EQ(ring.Acquire(kW, kH, &bRemake), -1) << "every buffer held: nothing to write now";

    // A 2x picture: a released buffer of the old size is made again.
    ring.Release(1);
    EXPECT_EQ(ring.Acquire(2 * kW, 2 * kH, &bRemake), 1);
    EXPECT_TRUE(bRemake);
    EXPECT_EQ(ring.TakeStale(1), CRect(0, 0, 2 * kW, 2 * kH));
    EXPECT_EQ(ring.GetAge(0), 4u) << "written first, three presents ago";
    EXPECT_TRUE(ring.IsHeld(0) && ring.IsHeld(2) && !ring.IsHeld(1));

    // Back to 1x (a zoom out): a kept 1x buffer lacks all of itself, and not
    // a pixel more, though the 2x picture changed all over.
    ring.NoteChange(CRect(0, 0, 2 * kW, 2 * kH));
    ring.Release(0);
    EXPECT_EQ(ring.Acquire(kW, kH, &bRemake), 0);
    EXPECT_FALSE(bRemake);
    EXPECT_EQ(ring.TakeStale(0), CRect(0, 0, kW, kH));
}

class XkbKeyboardTest : public ::testing::Test {
protected:
    void SetUp() override { unsetenv("XKB_DEFAULT_LAYOUT"); }
    // xkbcommon's modifier indices in every evdev keymap: Shift 0, Control 2, Mod1 (Alt) 3.
    static constexpr uint32_t kShift = 1u << 0;
    static constexpr uint32_t kAlt = 1u << 3;
};

TEST_F(XkbKeyboardTest, EveryKeyReadIsTheVirtualKeySdlGivesItOnX11WithTheModifiersHeld)
{
    CXkbKeyboard keyboard;
    ASSERT_TRUE(keyboard.LoadDefaultKeymap());
    // The same key on both display systems: its evdev code here, the virtual
    // key the table gives SDL's name for it on X11.
    struct {
        uint32_t nKey;
        UINT nVirtKey;
        BOOL bKeypad;
    } const keys[] = {
        {KEY_A, 'A', FALSE},
        {KEY_P, 'P', FALSE},
        {KEY_1, '1', FALSE},
        {KEY_0, '0', FALSE},
        {KEY_SPACE, VK_SPACE, FALSE},
        {KEY_ENTER, VK_RETURN, FALSE},
        {KEY_KPENTER, VK_RETURN, TRUE},
        {KEY_ESC, VK_ESCAPE, FALSE},
        {KEY_TAB, VK_TAB, FALSE},
        {KEY_F1, VK_F1, FALSE},
        {KEY_F4, VK_F4, FALSE},
        {KEY_F11, VK_F11, FALSE},
        {KEY_UP, VK_UP, FALSE},
        {KEY_DOWN, VK_DOWN, FALSE},
        {KEY_EQUAL, VK_OEM_PLUS, FALSE},
        {KEY_MINUS, VK_OEM_MINUS, FALSE},
        {KEY_KPPLUS, VK_ADD, TRUE},
        {KEY_KPMINUS, VK_SUBTRACT, TRUE},
        {KEY_KP0, VK_NUMPAD0, TRUE},
    };
    for (const auto& k : keys) {
        EXPECT_EQ(keyboard.GetVirtualKey(k.nKey), k.nVirtKey) << "evdev key " << k.nKey;
        const int32_t nSdl = AfxSdlKeyOf(k.nVirtKey, k.bKeypad);
        EXPECT_NE(nSdl, 0) << "evdev key " << k.nKey;
        EXPECT_EQ(AfxVirtualKeyOfSdl(nSdl), k.nVirtKey) << "what tests type is the key again";
    }
    EXPECT_NE(AfxSdlKeyOf(VK_RETURN, TRUE), AfxSdlKeyOf(VK_RETURN, FALSE)) << "the keypad's Enter is a key of its own";
    EXPECT_EQ(keyboard.GetVirtualKey(KEY_LEFT), 0u) << "a key the program does not read";
    EXPECT_EQ(keyboard.GetMods(), 0u);
    keyboard.UpdateModifiers(kShift, 0, 0, 0);
    EXPECT_EQ(keyboard.GetVirtualKey(KEY_A), UINT('A')) << "Shift+A is still the key A";
    EXPECT_EQ(keyboard.GetMods(), AFX_MOD_SHIFT);
    keyboard.UpdateModifiers(kAlt, 0, 0, 0);
    EXPECT_EQ(keyboard.GetMods(), AFX_MOD_ALT) << "Alt+Space opens the system menu only if Alt shows";
    EXPECT_TRUE(keyboard.KeyRepeats(KEY_UP));
    EXPECT_FALSE(keyboard.KeyRepeats(KEY_LEFTSHIFT));
}

TEST_F(XkbKeyboardTest, AnotherLayoutMovesTheLettersAndABadKeymapKeepsTheLastOne)
{
    setenv("XKB_DEFAULT_LAYOUT", "de", 1);
    CXkbKeyboard keyboard;
    ASSERT_TRUE(keyboard.LoadDefaultKeymap());
    // A German keyboard has Z where a US one has Y.
    EXPECT_EQ(keyboard.GetVirtualKey(KEY_Y), UINT('Z'));

    EXPECT_FALSE(keyboard.LoadKeymap("xkb_keymap { this is no keymap"));
    EXPECT_TRUE(keyboard.HasKeymap());
    EXPECT_EQ(keyboard.GetVirtualKey(KEY_Y), UINT('Z')) << "the keys keep the last keymap";

    CXkbKeyboard none;
    EXPECT_EQ(none.GetVirtualKey(KEY_A), 0u) << "no keymap yet: no key, no crash";
}

AFX_INPUT Key(EInput type, uint32_t nKeyCode, int nSource = AFX_KEYBOARD, UINT nPeriod = 0, UINT nDelay = 0)
{
    AFX_INPUT input;
    input.type = type;
    input.nKeyCode = nKeyCode;
    input.nVirtKey = nKeyCode;
    input.nSource = nSource;
    input.nRepeatPeriod = nPeriod;
    input.nRepeatDelay = nDelay;
    return input;
}

TEST(KeyRepeatTest, AHeldKeyRepeatsAfterItsDelayAtItsPeriodUntilReleasedOrItsSourceGoes)
{
    CKeyRepeat repeat;
    AFX_INPUT fired;
    EXPECT_EQ(repeat.NextDue(), CKeyRepeat::kNever) << "no key held: the loop may sleep as long as it likes";
    repeat.OnKey(Key(EInput::kKeyDown, KEY_UP, AFX_KEYBOARD, 40, 600), 1000);
    EXPECT_EQ(repeat.NextDue(), 1600u);
    EXPECT_FALSE(repeat.Fire(1599, &fired));
    ASSERT_TRUE(repeat.Fire(1600, &fired));
    EXPECT_EQ(fired.nKeyCode, uint32_t(KEY_UP));
    EXPECT_TRUE(fired.bRepeat);
    EXPECT_EQ(repeat.NextDue(), 1640u);
    // A loop that slept 200 ms catches up with one repeat, not five.
    EXPECT_TRUE(repeat.Fire(1840, &fired));
    EXPECT_FALSE(repeat.Fire(1840, &fired));
    repeat.OnKey(Key(EInput::kKeyDown, KEY_LEFTSHIFT), 1850); // a key that does not repeat, pressed meanwhile
    EXPECT_TRUE(repeat.Fire(1880, &fired));
    repeat.OnKey(Key(EInput::kKeyDown, KEY_DOWN, AFX_KEYBOARD, 40, 600), 1900); // another takes over
    repeat.OnKey(Key(EInput::kKeyUp, KEY_UP), 1910);                             // the first one's release leaves it
    repeat.OnKey(Key(EInput::kKeyUp, KEY_DOWN, AFX_PAD_SOURCE), 1920);           // so does another source's
    ASSERT_TRUE(repeat.Fire(2500, &fired));
    EXPECT_EQ(fired.nKeyCode, uint32_t(KEY_DOWN));
    repeat.OnKey(Key(EInput::kKeyUp, KEY_DOWN), 2510);
    EXPECT_FALSE(repeat.Fire(5000, &fired));
    EXPECT_EQ(repeat.NextDue(), CKeyRepeat::kNever);

    // A controller's key, then the controller goes: its key no longer repeats, a keyboard's would have.
    repeat.OnKey(Key(EInput::kKeyDown, VK_GAMEPAD_DPAD_UP, AFX_PAD_SOURCE + 2, 40, 300), 6000);
    repeat.StopSource(AFX_KEYBOARD);
    EXPECT_TRUE(repeat.IsHeld());
    repeat.StopSource(AFX_PAD_SOURCE + 2);
    EXPECT_FALSE(repeat.Fire(9000, &fired));
}

TEST(WheelFrameTest, StepsAreAwayFromTheUserAndDiscreteStepsWinOverSmoothMovement)
{
    CWheelFrame wheel;
    EXPECT_EQ(wheel.Take(), 0.0f) << "a frame without the wheel";
    wheel.AddDiscrete(-1); // one notch up: Wayland counts down the screen
    wheel.AddAxis(-10.0);
    EXPECT_EQ(wheel.Take(), 1.0f);
    EXPECT_EQ(wheel.Take(), 0.0f) << "each frame stands alone";
    wheel.AddDiscrete(2);
    wheel.AddAxis(31.0); // a wheel's own units may differ from ten a step: the notches count
    EXPECT_EQ(wheel.Take(), -2.0f);
    wheel.AddAxis(5.0); // a touchpad: half a step towards the user
    wheel.AddAxis(10.0);
    EXPECT_FLOAT_EQ(wheel.Take(), -1.5f);
}

} // namespace
