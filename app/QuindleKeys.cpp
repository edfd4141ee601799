// The main dialog's keys and game controllers. A controller's buttons arrive
// as the VK_GAMEPAD_* keys, so both go through one handler:
//   menu    Up/Down, Tab, the pad and the stick move the focus between Start
//           and Exit; Space, Enter and A press the focused one (Start unless
//           moved); a controller's Start starts a game;
//   game    Up/Down, the pad and the stick steer, one notch a press, held
//           ones repeating; P, Space and Start pause and resume; B stops the
//           run as the Stop button does;
//   both    F1 and Back open the About box (A or B closes it, as Enter and
//           Escape do); M turns the sound off and on. Escape and the rest go
//           on to the dialog's own keys.
#include "app/QuindleDlg.h"

namespace {

BOOL IsUp(UINT nChar)
{
    return nChar == VK_UP || nChar == VK_GAMEPAD_DPAD_UP || nChar == VK_GAMEPAD_LEFT_THUMBSTICK_UP;
}

BOOL IsDown(UINT nChar)
{
    return nChar == VK_DOWN || nChar == VK_GAMEPAD_DPAD_DOWN || nChar == VK_GAMEPAD_LEFT_THUMBSTICK_DOWN;
}

} // namespace

void CQuindleDlg::OnKeyDown(UINT nChar, UINT, UINT nFlags)
{
    const BOOL bMenu = m_view.m_bInGame == 0;
    const BOOL bRepeat = (nFlags & KF_REPEAT) != 0;
    if (OnSizeKey(nChar, bRepeat))
        return;
    if (IsUp(nChar) || IsDown(nChar)) {
        if (bMenu)
            MoveMenuFocus(IsUp(nChar) ? -1 : 1);
        else
            Steer(IsUp(nChar));
        return;
    }
    // Holding a key down is one press: a pause is not flipped back and forth.
    switch (nChar) {
    case VK_TAB:
        if (bMenu)
            MoveMenuFocus(0);
        return;
    case VK_F1:
    case VK_GAMEPAD_VIEW:
    case 'M':
        if (!bRepeat)
            SendMessage(WM_SYSCOMMAND, nChar == 'M' ? IDM_SOUND : IDM_ABOUTBOX, 0);
        return;
    case VK_SPACE:
    case VK_RETURN:
    case VK_GAMEPAD_A:
        if (!bRepeat && bMenu)
            ActivateMenuFocus();
        else if (!bRepeat && nChar == VK_SPACE)
            // The game thread repaints as it holds and goes on.
            m_thread.TogglePause();
        return;
    case 'P':
    case VK_GAMEPAD_MENU:
        if (!bRepeat && !bMenu)
            m_thread.TogglePause();
        else if (!bRepeat && nChar == VK_GAMEPAD_MENU)
            StartGame();
        return;
    case VK_GAMEPAD_B:
        if (!bRepeat && !bMenu)
            StopGame();
        return;
    default:
        Default();
        return;
    }
}

// A controller unplugged in the middle of a run pauses it; Start on any
// controller (or P) goes on.
void CQuindleDlg::OnInputDeviceChange(unsigned short nState, void*)
{
    if (nState == GIDC_REMOVAL)
        m_thread.PauseGame();
}

// nStep -1 moves up to Start, +1 down to Exit, 0 to the other one.
void CQuindleDlg::MoveMenuFocus(int nStep)
{
    if (nStep == 0)
        m_view.ToggleMenuFocus();
    else
        m_view.MoveMenuFocus(nStep);
    InvalidateRect(NULL, FALSE);
}

void CQuindleDlg::ActivateMenuFocus()
{
    if (m_view.m_nMenuFocus == CDrawArea::kFocusExit)
        OnOK();
    else
        StartGame();
}
