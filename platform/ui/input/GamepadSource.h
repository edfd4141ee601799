// Inside platform/ui: game controllers, through SDL's game-controller API
// (any number, plugged in before or during a run), as keys in the input
// queue (Input.h), from source AFX_PAD_SOURCE + the controller's id. Buttons
// arrive by their standard names as the VK_GAMEPAD_* keys: A, B, Start,
// Back, the pad's up and down, and the left stick's up and down as keys held
// past half its travel (CStickKeys). The steering keys carry a repeat, which
// the message loop makes while they are held. An unplugged controller is
// told to every window (kPadRemoved, then WM_INPUT_DEVICE_CHANGE).
//
// Input is dropped while no window of the program has the keyboard focus,
// as SDL itself does by default: the message loop says whether one takes it.
// The controller pressed last is the one that rumbles.
//
// The controller pressed last drives until the mouse or the keyboard is
// used (OnOtherInput) or it is unplugged; while one drives, the program asks
// its family (the labels printed on its buttons) to show which button acts,
// and every window hears when that changes (kPadCharge). SDL's button names are kept
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

#include "platform/core/Types.h"

#include "platform/core/PadLabel.h"
#include "platform/ui/input/StickKeys.h"

class CGamepadSource {
public:
    static constexpr int kPollMs = 10;
    // A held steering key repeats after this delay, then once a period.
    static constexpr UINT kRepeatDelayMs = 300;
    static constexpr UINT kRepeatPeriodMs = 40;

    static CGamepadSource& Get();
    // Starts SDL's controller subsystem; without it the program has no
    // controllers, which is never an error.
    void Start();
    void Stop();

    // The controllers' events from SDL's queue (which the display system
    // pumped); their keys are dropped unless bTakesInput.
    void Read(BOOL bTakesInput);
    // Whether a controller is open, and the loop must wake to read it.
    BOOL IsOpen() const { return !m_pads.empty(); }
    // Whether Start was called since the last Stop (whether or not SDL could start).
    BOOL WasStarted() const { return m_bAsked; }
    // A rumble of nMilliseconds on the controller used last; FALSE when it has none.
    BOOL Rumble(UINT nMilliseconds);
    // The mouse or the keyboard was used: no controller drives any more.
    void OnOtherInput();
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
    void OnEvent(const SDL_Event& event, BOOL bTakesInput);
    void Open(int nDeviceIndex);
    void Close(SDL_JoystickID nID);
    SPad* Find(SDL_JoystickID nID);
    void OnButton(const SDL_ControllerButtonEvent& event, BOOL bTakesInput);
    void OnAxis(const SDL_ControllerAxisEvent& event, BOOL bTakesInput);
    // nKey of controller nID went down (pressed by pPad) or up.
    void PostKey(SDL_JoystickID nID, UINT nKey, BOOL bDown);
    // pPad drives now (nullptr: none does); the windows hear when that shows otherwise.
    void TakeCharge(const SPad* pPad);

    BOOL m_bStarted = FALSE;
    BOOL m_bAsked = FALSE;
    std::vector<SPad> m_pads;   // window thread only, as all of this
    SDL_JoystickID m_nLast = -1; // the controller pressed last
    EPadFamily m_inCharge = EPadFamily::kNone; // its family while it drives
};
