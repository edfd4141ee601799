// CUiTopWindow's input: the display's mouse, wheel, key and window events as
// the messages of the CWnd attached to it.
#include "platform/ui/window/TopWindow.h"

#include "platform/ui/window/WheelTrace.h"

namespace {

// WM_SYSKEYDOWN's lParam: the Alt key is down.
constexpr LPARAM kAltContext = LPARAM(1) << 29;
// Key messages' lParam: a repeat count of one, and whether the key was down
// already (auto-repeat).
constexpr LPARAM kOneKeyStroke = 1;
constexpr LPARAM kWasDown = LPARAM(KF_REPEAT) << 16;

WORD MouseKeys(const AFX_INPUT& input)
{
    return WORD(((input.nMods & AFX_MOD_SHIFT) ? MK_SHIFT : 0) | ((input.nMods & AFX_MOD_CTRL) ? MK_CONTROL : 0) |
                (input.nButtons & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)));
}

LPARAM PointParam(CPoint pt)
{
    return MAKELPARAM(WORD(pt.x), WORD(pt.y));
}

} // namespace

void CUiTopWindow::OnInput(const AFX_INPUT& input)
{
    switch (input.type) {
    case EInput::kMouseMove:
        NotePointerMotion();
        m_ptMouse = ClientPoint(input.x, input.y);
        // A pushed button keeps the mouse until the button is released.
        if (m_pPressed)
            Invalidate(nullptr, FALSE);
        else
            Send(WM_MOUSEMOVE, MouseKeys(input), PointParam(m_ptMouse));
        break;
    case EInput::kButtonDown:
    case EInput::kButtonUp:
        OnMouseButton(input);
        break;
    case EInput::kWheel:
        OnMouseWheel(input);
        break;
    case EInput::kKeyDown:
        OnKey(input);
        break;
    default:
        break;
    }
}

void CUiTopWindow::OnMouseButton(const AFX_INPUT& input)
{
    m_ptMouse = ClientPoint(input.x, input.y);
    const BOOL bDown = input.type == EInput::kButtonDown;
    const WORD keys = MouseKeys(input);
    if (input.nButton == MK_RBUTTON) {
        Send(bDown ? WM_RBUTTONDOWN : WM_RBUTTONUP, keys, PointParam(m_ptMouse));
        return;
    }
    if (input.nButton != MK_LBUTTON)
        return;
    if (bDown) {
        if (CUiControl* pControl = ControlAt(m_ptMouse)) {
            if (pControl->TakesInput()) {
                m_pPressed = pControl;
                Invalidate(nullptr, FALSE);
            }
            return;
        }
        Send(WM_LBUTTONDOWN, keys | MK_LBUTTON, PointParam(m_ptMouse));
        return;
    }
    if (CUiControl* pPressed = m_pPressed) {
        m_pPressed = nullptr;
        Invalidate(nullptr, FALSE);
        if (pPressed->m_rc.PtInRect(m_ptMouse) && pPressed->TakesInput())
            Send(WM_COMMAND, MAKEWPARAM(WORD(pPressed->m_nID), BN_CLICKED), LPARAM(pPressed));
        return;
    }
    // A release over a button that was not pressed there is the button's, and it ignores it.
    if (!ControlAt(m_ptMouse))
        Send(WM_LBUTTONUP, keys, PointParam(m_ptMouse));
}

void CUiTopWindow::OnMouseWheel(const AFX_INPUT& input)
{
    // Precise (touchpad) movement adds up to whole notches; each notch is one message.
    m_fWheel += input.fNotches;
    const CRect rcClient = GetClientScreenRect();
    const CPoint ptClient = ClientPoint(input.x, input.y);
    const LPARAM lParam = PointParam(CPoint(rcClient.left + ptClient.x, rcClient.top + ptClient.y));
    const WORD keys = MouseKeys(input);
    const BOOL bNotches = m_fWheel >= 1.0f || m_fWheel <= -1.0f;
    for (; m_fWheel >= 1.0f; m_fWheel -= 1.0f)
        Send(WM_MOUSEWHEEL, MAKEWPARAM(keys, WORD(WHEEL_DELTA)), lParam);
    for (; m_fWheel <= -1.0f; m_fWheel += 1.0f)
        Send(WM_MOUSEWHEEL, MAKEWPARAM(keys, WORD(-WHEEL_DELTA)), lParam);
    if (bNotches)
        AfxNoteWheelEvent(input.nTimestamp, m_nWindowID);
}

// The modifiers of the key message being handled, as GetKeyState tells them.
static UINT g_nKeyMods = 0;

SHORT GetKeyState(int nVirtKey)
{
    const UINT mask = nVirtKey == VK_CONTROL ? AFX_MOD_CTRL
                      : nVirtKey == VK_SHIFT ? AFX_MOD_SHIFT
                      : nVirtKey == VK_MENU  ? AFX_MOD_ALT
                                             : 0;
    return (g_nKeyMods & mask) ? SHORT(0x8000) : SHORT(0);
}

void CUiTopWindow::OnKey(const AFX_INPUT& input)
{
    if (!input.nVirtKey)
        return;
    g_nKeyMods = input.nMods;
    const LPARAM lParam = kOneKeyStroke | (input.bRepeat ? kWasDown : 0);
    if (input.nMods & AFX_MOD_ALT)
        Send(WM_SYSKEYDOWN, input.nVirtKey, lParam | kAltContext);
    else
        Send(WM_KEYDOWN, input.nVirtKey, lParam);
}

void CUiTopWindow::OnPadRemoved()
{
    Send(WM_INPUT_DEVICE_CHANGE, GIDC_REMOVAL, 0);
}

CUiControl* CUiTopWindow::ControlAt(CPoint pt) const
{
    // Statics let clicks through to the dialog; hidden controls are not there.
    for (const auto& pControl : m_controls) {
        if (pControl->IsVisible() && pControl->IsPushButton() && pControl->m_rc.PtInRect(pt))
            return pControl.get();
    }
    return nullptr;
}

void CUiTopWindow::OnWindowChange(EWindowChange change)
{
    switch (change) {
    case EWindowChange::kSizeChanged:
    case EWindowChange::kDisplayChanged:
        // On another output (or one whose scale changed) the window may draw at another scale.
        ApplyScale();
        LosePicture();
        Invalidate(nullptr, TRUE);
        break;
    case EWindowChange::kExposed:
    case EWindowChange::kShown:
    case EWindowChange::kRestored:
        // What the window showed is lost: paint it all and present it all.
        LosePicture();
        Invalidate(nullptr, TRUE);
        break;
    case EWindowChange::kClose:
        // The close button of the frame, the desktop's or libdecor's.
        if (TakesInput())
            Send(WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case EWindowChange::kFocusLost: {
        // The window that takes the focus when it is ours (a modal dialog over
        // this one); null when it went to another program.
        CLoopWindow* pModal = CMessageLoop::Get().GetModalWindow();
        CUiTopWindow* pOther = pModal != this ? dynamic_cast<CUiTopWindow*>(pModal) : nullptr;
        Send(WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, WORD(IsIconic())), LPARAM(static_cast<HWND>(pOther)));
        break;
    }
    case EWindowChange::kMinimized:
        Send(WM_SIZE, SIZE_MINIMIZED, 0);
        break;
    default:
        break;
    }
}

