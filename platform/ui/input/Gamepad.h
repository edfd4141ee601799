// Game controllers as the program reaches them. Their buttons arrive as key
// messages (the VK_GAMEPAD_* keys, WinUser.h) and an unplugged one as
// WM_INPUT_DEVICE_CHANGE; this is the rest. No SDL here.
#pragma once

#include "platform/core/PadLabel.h"
#include "platform/core/Types.h"

// A rumble of nMilliseconds on the controller pressed last; FALSE when there
// is none or it cannot rumble. Window thread.
BOOL AfxRumbleGamepad(UINT nMilliseconds);

// The family of the controller that drives the program (it was pressed after
// the mouse and the keyboard were last used), kNone while none does. Every
// window is repainted when it changes. Window thread.
EPadFamily AfxGetPadInCharge();

// A controller that exists only inside this process (SDL's virtual
// joystick, made as a standard game controller), for tests: it plugs in and
// out as a real one, its buttons and left stick move as a player's would
// (SDL reads them at its next event pump), and it counts the rumbles asked
// of it. After AfxWinInit, on the window thread.
class CVirtualPad {
public:
    enum EButton { kA, kB, kBack, kStart, kDpadUp, kDpadDown };

    CVirtualPad() = default;
    CVirtualPad(const CVirtualPad&) = delete;
    CVirtualPad& operator=(const CVirtualPad&) = delete;
    ~CVirtualPad();

    // bRumble: whether it has motors; nVendor and nProduct: the USB ids it
    // reports (0 for none), which tell its family. FALSE when SDL cannot make it.
    BOOL Plug(BOOL bRumble = TRUE, WORD nVendor = 0, WORD nProduct = 0);
    void Unplug();
    void Press(EButton button);
    void Release(EButton button);
    // The left stick's vertical axis, SDL's range: negative is up.
    void SetStickY(int nValue);
    // Rumbles asked for so far (a request to stop one is not counted).
    int GetRumbles() const { return m_nRumbles; }

private:
    static int Rumble(void* pUserData, WORD low, WORD high);

    void* m_pJoystick = nullptr; // SDL_Joystick, open while plugged
    int m_nInstance = -1;
    int m_nRumbles = 0;
};
