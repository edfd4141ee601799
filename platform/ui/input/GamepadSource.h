// Inside platform/ui: game controllers, through SDL's game-controller API
// (any number, plugged in before or during a run), as key messages of the
// window that takes input. Buttons arrive by their standard names as the
// VK_GAMEPAD_* keys: A, B, Start, Back, the pad's up and down, and the left
// stick's up and down as keys held past half its travel (CStickKeys). Held
// steering keys repeat (CPadRepeat) on the loop's clock. An unplugged
// controller is told to every window (WM_INPUT_DEVICE_CHANGE).
//
// Input is dropped while no window of the program has the keyboard focus,
// as SDL itself does by default: the message loop says which window takes it
// (none without the focus). The controller pressed last is the one that
// rumbles.
//
// The controller pressed last drives until the mouse or the keyboard is
// used (OnOtherInput) or it is unplugged; while one drives, the program asks
// its family (the labels printed on its buttons) to show which button acts,
// and every window repaints when that changes. SDL's button names are kept
// to places on the pad for every family (SDL 2.26 would otherwise swap a
// Nintendo pad's A and B to its printed labels): A is the bottom face button,
// B the right one.
//
// Real controllers are read inside SDL_PumpEvents, with no descriptor to
// sleep on: while one is open the loop wakes every kPollMs to read it.
//
// Left out: triggers, the right stick, the other buttons, player LEDs.
#pragma once

#include <SDL.h>

#include <vector>

#include "platform/core/PadLabel.h"
#include "platform/ui/input/PadRepeat.h"
#include "platform/ui/loop/MessageLoop.h"

class CGamepadSource {
public:
    static constexpr int kPollMs = 10;

    static CGamepadSource& Get();
    // Starts SDL's controller subsystem; without it the program has no
    // controllers, which is never an error.
    void Start();
    void Stop();

    static BOOL IsPadEvent(Uint32 nType);
    // One controller event; pTarget takes its keys, nullptr when no window
    // has the focus. windows are told of an unplugged controller.
    void OnEvent(const SDL_Event& event, CLoopWindow* pTarget, const std::vector<CLoopWindow*>& windows);
    // Whether a controller is open, and the loop must wake to read it.
    BOOL IsOpen() const { return !m_pads.empty(); }
    // Whether Start was called since the last Stop (whether or not SDL could start).
    BOOL WasStarted() const { return m_bAsked; }
    ULONGLONG NextDue() const { return m_repeat.NextDue(); }
    // Sends a held key's repeat that is due at now; TRUE if one went.
    BOOL FireDue(ULONGLONG now, CLoopWindow* pTarget);
    // A rumble of nMilliseconds on the controller used last; FALSE when it has none.
    BOOL Rumble(UINT nMilliseconds);
    // The mouse or the keyboard was used: no controller drives any more.
    void OnOtherInput(const std::vector<CLoopWindow*>& windows);
    // The family of the controller that drives, kNone while none does.
    EPadFamily GetFamilyInCharge() const { return m_inCharge; }

private:
    struct SPad {
        SDL_GameController* pController;
        SDL_JoystickID nID;
        CStickKeys stick;
        EPadFamily family;
    };

    CGamepadSource() = default;
    void Open(int nDeviceIndex);
    void Close(SDL_JoystickID nID, const std::vector<CLoopWindow*>& windows);
    SPad* Find(SDL_JoystickID nID);
    void OnButton(const SDL_ControllerButtonEvent& event, CLoopWindow* pTarget,
                  const std::vector<CLoopWindow*>& windows);
    void OnAxis(const SDL_ControllerAxisEvent& event, CLoopWindow* pTarget, const std::vector<CLoopWindow*>& windows);
    // pPad drives now (nullptr: none does); windows repaint when that shows otherwise.
    void TakeCharge(const SPad* pPad, const std::vector<CLoopWindow*>& windows);

    BOOL m_bStarted = FALSE;
    BOOL m_bAsked = FALSE;
    std::vector<SPad> m_pads;   // window thread only, as all of this
    SDL_JoystickID m_nLast = -1; // the controller pressed last
    EPadFamily m_inCharge = EPadFamily::kNone; // its family while it drives
    CPadRepeat m_repeat;
};
