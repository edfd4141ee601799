// The parts of our Wayland client that need no compositor: which
// shared-memory buffer a present writes and what it copies into it, and the
// keyboard's keys as the SDL key events the window layer reads, key repeat
// and the wheel.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <cstdlib>

#include "platform/ui/display/wayland/SeatState.h"
#include "platform/ui/display/wayland/ShmRing.h"
#include "platform/ui/display/wayland/WaylandKeys.h"

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

TEST_F(XkbKeyboardTest, KeysComeAsTheirUnshiftedSymbolAndPlaceWithTheModifiersHeld)
{
    CXkbKeyboard keyboard;
    ASSERT_TRUE(keyboard.LoadDefaultKeymap());
    struct {
        uint32_t nKey;
        SDL_Keycode sym;
        SDL_Scancode scancode;
    } const keys[] = {
        {KEY_A, SDLK_a, SDL_SCANCODE_A},           {KEY_P, SDLK_p, SDL_SCANCODE_P},
        {KEY_1, SDLK_1, SDL_SCANCODE_1},           {KEY_0, SDLK_0, SDL_SCANCODE_0},
        {KEY_SPACE, SDLK_SPACE, SDL_SCANCODE_SPACE}, {KEY_ENTER, SDLK_RETURN, SDL_SCANCODE_RETURN},
        {KEY_KPENTER, SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER}, {KEY_ESC, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE},
        {KEY_F1, SDLK_F1, SDL_SCANCODE_F1},        {KEY_F4, SDLK_F4, SDL_SCANCODE_F4},
        {KEY_UP, SDLK_UP, SDL_SCANCODE_UP},        {KEY_DOWN, SDLK_DOWN, SDL_SCANCODE_DOWN},
    };
    for (const auto& k : keys) {
        const SDL_Keysym keysym = keyboard.GetKeysym(k.nKey);
        EXPECT_EQ(keysym.sym, k.sym) << "evdev key " << k.nKey;
        EXPECT_EQ(keysym.scancode, k.scancode) << "evdev key " << k.nKey;
        EXPECT_EQ(keysym.mod, KMOD_NONE);
    }
    keyboard.UpdateModifiers(kShift, 0, 0, 0);
    EXPECT_EQ(keyboard.GetKeysym(KEY_A).sym, SDLK_a) << "Shift+A is still the key a";
    EXPECT_TRUE(keyboard.GetKeysym(KEY_A).mod & KMOD_SHIFT);
    keyboard.UpdateModifiers(kAlt, 0, 0, 0);
    EXPECT_TRUE(keyboard.GetMods() & KMOD_ALT) << "Alt+Space opens the system menu only if Alt shows";
    EXPECT_FALSE(keyboard.GetMods() & KMOD_SHIFT);
    EXPECT_TRUE(keyboard.KeyRepeats(KEY_UP));
    EXPECT_FALSE(keyboard.KeyRepeats(KEY_LEFTSHIFT));
}

TEST_F(XkbKeyboardTest, AnotherLayoutMovesTheSymbolsNotThePlacesAndABadKeymapKeepsTheLastOne)
{
    setenv("XKB_DEFAULT_LAYOUT", "de", 1);
    CXkbKeyboard keyboard;
    ASSERT_TRUE(keyboard.LoadDefaultKeymap());
    // A German keyboard has z where a US one has y.
    EXPECT_EQ(keyboard.GetKeysym(KEY_Y).sym, SDLK_z);
    EXPECT_EQ(keyboard.GetKeysym(KEY_Y).scancode, SDL_SCANCODE_Y);

    EXPECT_FALSE(keyboard.LoadKeymap("xkb_keymap { this is no keymap"));
    EXPECT_TRUE(keyboard.HasKeymap());
    EXPECT_EQ(keyboard.GetKeysym(KEY_Y).sym, SDLK_z) << "the keys keep the last keymap";

    CXkbKeyboard none;
    EXPECT_EQ(none.GetKeysym(KEY_A).sym, SDLK_UNKNOWN) << "no keymap yet: no key, no crash";
}

TEST(KeyRepeatTest, AHeldKeyRepeatsAfterTheDelayAtTheRateAndStopsWhenReleased)
{
    CKeyRepeat repeat;
    repeat.SetRate(25, 600); // every 40 ms after 600 ms
    EXPECT_EQ(repeat.GetDelay(0), -1) << "no key held: the loop may sleep as long as it likes";
    repeat.OnKey(KEY_UP, TRUE, TRUE, 1000);
    EXPECT_EQ(repeat.GetDelay(1000), 600);
    EXPECT_EQ(repeat.TakeDue(1599), 0u);
    EXPECT_EQ(repeat.TakeDue(1600), uint32_t(KEY_UP));
    EXPECT_EQ(repeat.GetDelay(1600), 40);
    // A loop that slept 200 ms catches up with one repeat, not five.
    EXPECT_EQ(repeat.TakeDue(1840), uint32_t(KEY_UP));
    EXPECT_EQ(repeat.TakeDue(1840), 0u);
    repeat.OnKey(KEY_LEFTSHIFT, TRUE, FALSE, 1850); // a modifier pressed meanwhile
    EXPECT_EQ(repeat.TakeDue(1880), uint32_t(KEY_UP));
    repeat.OnKey(KEY_DOWN, TRUE, TRUE, 1900); // another key takes over
    repeat.OnKey(KEY_UP, FALSE, TRUE, 1910);  // the first one's release leaves it
    EXPECT_EQ(repeat.TakeDue(2500), uint32_t(KEY_DOWN));
    repeat.OnKey(KEY_DOWN, FALSE, TRUE, 2510);
    EXPECT_EQ(repeat.TakeDue(5000), 0u);
    EXPECT_EQ(repeat.GetDelay(5000), -1);

    repeat.SetRate(0, 600); // the compositor turns repeat off
    repeat.OnKey(KEY_UP, TRUE, TRUE, 6000);
    EXPECT_EQ(repeat.TakeDue(9000), 0u);
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
