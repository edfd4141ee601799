// SDL's events as the framework's input: what SDL's X11 video reads (and
// what tests put into SDL's queue as a user's input under the dummy driver).
#include <SDL.h>

#include "platform/ui/display/Input.h"
#include "platform/ui/display/KeyTable.h"

namespace {

UINT ModsOf(Uint16 mod)
{
    return ((mod & KMOD_SHIFT) ? AFX_MOD_SHIFT : 0) | ((mod & KMOD_CTRL) ? AFX_MOD_CTRL : 0) |
           ((mod & KMOD_ALT) ? AFX_MOD_ALT : 0);
}

UINT ButtonsOf(Uint32 state)
{
    return ((state & SDL_BUTTON_LMASK) ? MK_LBUTTON : 0) | ((state & SDL_BUTTON_RMASK) ? MK_RBUTTON : 0) |
           ((state & SDL_BUTTON_MMASK) ? MK_MBUTTON : 0);
}

UINT ButtonOf(Uint8 nButton)
{
    return nButton == SDL_BUTTON_LEFT    ? MK_LBUTTON
           : nButton == SDL_BUTTON_RIGHT ? MK_RBUTTON
           : nButton == SDL_BUTTON_MIDDLE ? MK_MBUTTON
                                         : 0;
}

EWindowChange ChangeOf(Uint8 nEvent)
{
    switch (nEvent) {
    case SDL_WINDOWEVENT_SHOWN:
        return EWindowChange::kShown;
    case SDL_WINDOWEVENT_EXPOSED:
        return EWindowChange::kExposed;
    case SDL_WINDOWEVENT_RESTORED:
        return EWindowChange::kRestored;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        return EWindowChange::kSizeChanged;
    case SDL_WINDOWEVENT_DISPLAY_CHANGED:
        return EWindowChange::kDisplayChanged;
    case SDL_WINDOWEVENT_CLOSE:
        return EWindowChange::kClose;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        return EWindowChange::kFocusGained;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        return EWindowChange::kFocusLost;
    case SDL_WINDOWEVENT_MINIMIZED:
        return EWindowChange::kMinimized;
    default:
        return EWindowChange::kOther;
    }
}

// FALSE for an event the program does not read.
BOOL Translate(const SDL_Event& event, AFX_INPUT* pInput)
{
    AFX_INPUT& in = *pInput;
    in.nTimestamp = event.common.timestamp;
    switch (event.type) {
    case SDL_QUIT:
        in.type = EInput::kQuit;
        return TRUE;
    case SDL_WINDOWEVENT:
        in.type = EInput::kWindow;
        in.nWindowID = event.window.windowID;
        in.change = ChangeOf(event.window.event);
        return TRUE;
    case SDL_MOUSEMOTION:
        in.type = EInput::kMouseMove;
        in.nWindowID = event.motion.windowID;
        in.x = event.motion.x;
        in.y = event.motion.y;
        in.nButtons = ButtonsOf(event.motion.state);
        in.nMods = ModsOf(Uint16(SDL_GetModState()));
        return TRUE;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        in.type = event.type == SDL_MOUSEBUTTONDOWN ? EInput::kButtonDown : EInput::kButtonUp;
        in.nWindowID = event.button.windowID;
        in.x = event.button.x;
        in.y = event.button.y;
        in.nButton = ButtonOf(event.button.button);
        in.nButtons = ButtonsOf(SDL_GetMouseState(nullptr, nullptr));
        in.nMods = ModsOf(Uint16(SDL_GetModState()));
        return TRUE;
    case SDL_MOUSEWHEEL:
        in.type = EInput::kWheel;
        in.nWindowID = event.wheel.windowID;
        in.x = event.wheel.mouseX;
        in.y = event.wheel.mouseY;
        // SDL counts away from the user, but a device with natural scrolling
        // reports it the other way, and says so.
        in.fNotches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.preciseY : event.wheel.preciseY;
        in.nButtons = ButtonsOf(SDL_GetMouseState(nullptr, nullptr));
        in.nMods = ModsOf(Uint16(SDL_GetModState()));
        return TRUE;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        // X11 repeats held keys itself: no repeat of ours.
        in.type = event.type == SDL_KEYDOWN ? EInput::kKeyDown : EInput::kKeyUp;
        in.nWindowID = event.key.windowID;
        in.nVirtKey = AfxVirtualKeyOfSdl(event.key.keysym.sym);
        in.nKeyCode = uint32_t(event.key.keysym.scancode);
        in.bRepeat = event.key.repeat != 0;
        in.nMods = ModsOf(event.key.keysym.mod);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void AfxReadSdlInput(BOOL bPump)
{
    if (bPump)
        SDL_PumpEvents();
    SDL_Event event;
    // Everything below the joysticks' events: quit, window, keyboard, mouse.
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_JOYAXISMOTION - 1) > 0) {
        AFX_INPUT input;
        if (Translate(event, &input))
            AfxPostInput(input);
    }
    // Touch, drag and drop, the clipboard, audio devices: nothing we read,
    // and SDL's queue must not fill up with them.
    SDL_FlushEvents(SDL_FINGERDOWN, SDL_LASTEVENT);
}
