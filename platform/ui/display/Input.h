// Inside platform/ui: input as every display system hands it to the message
// loop, already in the framework's terms: keys as virtual keys (KeyTable.h),
// buttons and modifiers as MK_ flags, the wheel in notches away from the
// user, positions in the window's own points. So the loop and the windows
// never read a display system's codes, and one key table and one wheel rule
// serve X11 and Wayland alike.
//
// The queue is the window thread's: the display systems fill it as they read
// their connection (SDL's events on X11, our Wayland client's listeners),
// the game controllers as SDL reports them, and the loop takes from it, in
// order.
#pragma once

#include <cstdint>

#include "platform/core/Types.h"
#include "platform/core/VirtualKeys.h"

enum class EInput {
    kQuit,        // the program is asked to end (SIGINT, SIGTERM)
    kWindow,      // something happened to the window itself: change says what
    kMouseMove,
    kButtonDown,  // nButton went down
    kButtonUp,
    kWheel,
    kKeyDown,
    kKeyUp,
    kPadRemoved,  // controller nSource was unplugged; every window hears of it
    kPadCharge,   // a controller began or stopped driving; every window hears of it
};

enum class EWindowChange {
    kShown,
    kExposed,        // what it showed is lost
    kRestored,
    kSizeChanged,
    kDisplayChanged, // on another output, or its output's scale changed
    kClose,          // the frame's close button
    kFocusGained,    // the keyboard focus
    kFocusLost,
    kMinimized,
    kOther,          // nothing the program acts on (the pointer entering, say)
};

// Modifier keys held (nMods).
constexpr UINT AFX_MOD_SHIFT = 0x1;
constexpr UINT AFX_MOD_CTRL = 0x2;
constexpr UINT AFX_MOD_ALT = 0x4;

// Where a key came from (nSource): the keyboard, or controller n as AFX_PAD_SOURCE + n.
constexpr int AFX_KEYBOARD = 0;
constexpr int AFX_PAD_SOURCE = 1;

struct AFX_INPUT {
    EInput type = EInput::kQuit;
    uint32_t nWindowID = 0; // 0 for none: controllers, quit, a key with no window focused
    uint32_t nTimestamp = 0; // SDL's millisecond clock when the display system read it
    EWindowChange change = EWindowChange::kOther;
    // Pointer events: where, the button that changed, the buttons held (MK_ flags).
    int x = 0;
    int y = 0;
    UINT nButton = 0;
    UINT nButtons = 0;
    float fNotches = 0; // the wheel; fractions from a touchpad
    // Key events: the virtual key (0: one the program does not read) and the
    // display system's own code of the key, which a release is matched on.
    UINT nVirtKey = 0;
    uint32_t nKeyCode = 0;
    int nSource = AFX_KEYBOARD;
    BOOL bRepeat = FALSE; // a held key's repeat
    // A down the program repeats itself while it is held (Wayland's keys,
    // controllers): the delay before the first repeat and the period after,
    // in ms; 0 when the display system repeats it, or nobody does.
    UINT nRepeatDelay = 0;
    UINT nRepeatPeriod = 0;
    UINT nMods = 0; // AFX_MOD_ flags, for key and pointer events
};

// Window thread only.
void AfxPostInput(const AFX_INPUT& input);
// The oldest input waiting; FALSE when there is none.
BOOL AfxTakeInput(AFX_INPUT* pInput);
BOOL AfxHasInput();
// Drops what waits: the display it came from is closing.
void AfxClearInput();

// SDL's events from its queue into ours (bPump: SDL reads its connection
// and devices first): the window system's input (what SDL's own video reads,
// and a quit). The controllers' events stay in SDL's queue for
// CGamepadSource; what the program never reads is dropped.
void AfxReadSdlInput(BOOL bPump);
