// CMessageLoop's routing: where each input goes (a window, the modal
// window, every window), and the repeat of held keys that nobody else repeats.
#include <algorithm>

#include "platform/core/Clock.h"
#include "platform/ui/input/GamepadSource.h"
#include "platform/ui/loop/MessageLoop.h"

void CMessageLoop::Route(const AFX_INPUT& input)
{
    if (m_handsOn.IsHandsOn(input))
        CGamepadSource::Get().OnOtherInput();
    switch (input.type) {
    case EInput::kQuit: {
        const std::vector<CLoopWindow*> modal = m_modal;
        for (CLoopWindow* p : modal)
            p->OnQuit();
        break;
    }
    case EInput::kWindow:
        RouteWindowChange(input);
        break;
    case EInput::kMouseMove:
    case EInput::kButtonDown:
    case EInput::kButtonUp:
    case EInput::kWheel:
        RouteInput(input, FALSE);
        break;
    case EInput::kKeyDown:
    case EInput::kKeyUp:
        m_repeat.OnKey(input, AfxGetClock().GetTickCount());
        RouteKey(input);
        break;
    case EInput::kPadRemoved:
        m_repeat.StopSource(input.nSource);
        TellAll(&CLoopWindow::OnPadRemoved);
        break;
    case EInput::kPadCharge:
        TellAll(&CLoopWindow::OnPadChargeChanged);
        break;
    }
}

void CMessageLoop::TellAll(void (CLoopWindow::*pTell)())
{
    const std::vector<CLoopWindow*> told = m_windows;
    for (CLoopWindow* p : told) {
        if (std::find(m_windows.begin(), m_windows.end(), p) != m_windows.end())
            (p->*pTell)();
    }
}

void CMessageLoop::RouteWindowChange(const AFX_INPUT& input)
{
    CLoopWindow* p = FindWindow(input.nWindowID);
    if (!p)
        return;
    if (input.change == EWindowChange::kFocusGained) {
        m_pFocus = p;
    } else if (input.change == EWindowChange::kFocusLost) {
        if (m_pFocus == p)
            m_pFocus = nullptr;
        // A key held on the keyboard is not held for us any more.
        m_repeat.StopSource(AFX_KEYBOARD);
    }
    p->OnWindowChange(input.change);
}

CLoopWindow* CMessageLoop::PadTarget() const
{
    CLoopWindow* pModal = GetModalWindow();
    return m_pFocus && pModal ? pModal : m_pFocus;
}

void CMessageLoop::RouteKey(const AFX_INPUT& input)
{
    if (input.nSource == AFX_KEYBOARD) {
        RouteInput(input, TRUE);
        return;
    }
    if (CLoopWindow* pTarget = PadTarget())
        pTarget->OnInput(input);
}

void CMessageLoop::RouteInput(const AFX_INPUT& input, BOOL bKeyboard)
{
    CLoopWindow* pModal = GetModalWindow();
    CLoopWindow* pTarget = FindWindow(input.nWindowID);
    if (bKeyboard && pModal)
        pTarget = pModal;
    if (!pTarget)
        return;
    if (!pModal || pTarget == pModal)
        pTarget->OnInput(input);
    else
        pModal->OnInputElsewhere(input);
}

BOOL CMessageLoop::FireRepeat(ULONGLONG now)
{
    // A controller's key stops once the focus is gone: it must not steer in the background.
    if (m_repeat.IsHeld() && m_repeat.GetSource() != AFX_KEYBOARD && !PadTarget())
        m_repeat.StopSource(m_repeat.GetSource());
    AFX_INPUT repeat;
    if (!m_repeat.Fire(now, &repeat))
        return FALSE;
    RouteKey(repeat);
    return TRUE;
}
