#include "platform/ui/window/WindowInput.h"

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

void CWindowInput::OnInput(const AFX_INPUT& input)
{
    switch (input.type) {
    case EInput::kMouseMove:
        m_pWindow->OnPointerMoved();
        m_ptMouse = m_pWindow->ClientPoint(input.x, input.y);
        // A pushed button keeps the mouse until the button is released.
        if (m_pPressed)
            m_pWindow->Invalidate(nullptr, FALSE);
        else
            m_pWindow->Send(WM_MOUSEMOVE, MouseKeys(input), PointParam(m_ptMouse));
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

void CWindowInput::OnMouseButton(const AFX_INPUT& input)
{
    m_ptMouse = m_pWindow->ClientPoint(input.x, input.y);
    const BOOL bDown = input.type == EInput::kButtonDown;
    const WORD keys = MouseKeys(input);
    if (input.nButton == MK_RBUTTON) {
        m_pWindow->Send(bDown ? WM_RBUTTONDOWN : WM_RBUTTONUP, keys, PointParam(m_ptMouse));
        return;
    }
    if (input.nButton != MK_LBUTTON)
        return;
    if (bDown) {
        if (CUiControl* pControl = ControlAt(m_ptMouse)) {
            if (pControl->TakesInput()) {
                m_pPressed = pControl;
                m_pWindow->Invalidate(nullptr, FALSE);
            }
            return;
        }
        m_pWindow->Send(WM_LBUTTONDOWN, keys | MK_LBUTTON, PointParam(m_ptMouse));
        return;
    }
    if (CUiControl* pPressed = m_pPressed) {
        m_pPressed = nullptr;
        m_pWindow->Invalidate(nullptr, FALSE);
        if (pPressed->m_rc.PtInRect(m_ptMouse) && pPressed->TakesInput())
            m_pWindow->Send(WM_COMMAND, MAKEWPARAM(WORD(pPressed->m_nID), BN_CLICKED), LPARAM(pPressed));
        return;
    }
    // A release over a button that was not pressed there is the button's, and it ignores it.
    if (!ControlAt(m_ptMouse))
        m_pWindow->Send(WM_LBUTTONUP, keys, PointParam(m_ptMouse));
}

void CWindowInput::OnMouseWheel(const AFX_INPUT& input)
{
    // Precise (touchpad) movement adds up to whole notches; each notch is one message.
    m_fWheel += input.fNotches;
    const CRect rcClient = m_pWindow->GetClientScreenRect();
    const CPoint ptClient = m_pWindow->ClientPoint(input.x, input.y);
    const LPARAM lParam = PointParam(CPoint(rcClient.left + ptClient.x, rcClient.top + ptClient.y));
    const WORD keys = MouseKeys(input);
    const BOOL bNotches = m_fWheel >= 1.0f || m_fWheel <= -1.0f;
    for (; m_fWheel >= 1.0f; m_fWheel -= 1.0f)
        m_pWindow->Send(WM_MOUSEWHEEL, MAKEWPARAM(keys, WORD(WHEEL_DELTA)), lParam);
    for (; m_fWheel <= -1.0f; m_fWheel += 1.0f)
        m_pWindow->Send(WM_MOUSEWHEEL, MAKEWPARAM(keys, WORD(-WHEEL_DELTA)), lParam);
    if (bNotches)
        AfxNoteWheelEvent(input.nTimestamp, m_pWindow->GetWindowID());
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

void CWindowInput::OnKey(const AFX_INPUT& input)
{
    if (!input.nVirtKey)
        return;
    g_nKeyMods = input.nMods;
    const LPARAM lParam = kOneKeyStroke | (input.bRepeat ? kWasDown : 0);
    if (input.nMods & AFX_MOD_ALT)
        m_pWindow->Send(WM_SYSKEYDOWN, input.nVirtKey, lParam | kAltContext);
    else
        m_pWindow->Send(WM_KEYDOWN, input.nVirtKey, lParam);
}

CUiControl* CWindowInput::ControlAt(CPoint pt) const
{
    // Statics let clicks through to the dialog; hidden controls are not there.
    for (const auto& pControl : m_pWindow->GetControls()) {
        if (pControl->IsVisible() && pControl->IsPushButton() && pControl->m_rc.PtInRect(pt))
            return pControl.get();
    }
    return nullptr;
}

BOOL CWindowInput::ShowsPressed(const CUiControl* pControl) const
{
    return pControl == m_pPressed && pControl->m_rc.PtInRect(m_ptMouse);
}
