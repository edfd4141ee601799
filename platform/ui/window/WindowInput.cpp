// CUiTopWindow's input: SDL's mouse, wheel, key and window events as the
// messages of the CWnd attached to it.
#include "platform/ui/window/TopWindow.h"

#include "platform/ui/display/DisplaySystem.h"
#include "platform/ui/frame/WheelTrace.h"

namespace {

// WM_SYSKEYDOWN's lParam: the Alt key is down.
constexpr LPARAM kAltContext = LPARAM(1) << 29;
// Key messages' lParam: a repeat count of one, and whether the key was down
// already (auto-repeat).
constexpr LPARAM kOneKeyStroke = 1;
constexpr LPARAM kWasDown = LPARAM(KF_REPEAT) << 16;

UINT VirtualKey(SDL_Keycode sym)
{
    if (sym >= SDLK_a && sym <= SDLK_z)
        return UINT('A' + (sym - SDLK_a));
    if (sym >= SDLK_0 && sym <= SDLK_9)
        return UINT('0' + (sym - SDLK_0));
    switch (sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return VK_RETURN;
    case SDLK_ESCAPE:
        return VK_ESCAPE;
    case SDLK_SPACE:
        return VK_SPACE;
    case SDLK_TAB:
        return VK_TAB;
    case SDLK_F1:
        return VK_F1;
    case SDLK_F4:
        return VK_F4;
    case SDLK_F11:
        return VK_F11;
    case SDLK_PLUS:
    case SDLK_EQUALS:
        return VK_OEM_PLUS;
    case SDLK_MINUS:
        return VK_OEM_MINUS;
    case SDLK_KP_PLUS:
        return VK_ADD;
    case SDLK_KP_MINUS:
        return VK_SUBTRACT;
    case SDLK_KP_0:
        return VK_NUMPAD0;
    case SDLK_UP:
        return VK_UP;
    case SDLK_DOWN:
        return VK_DOWN;
    default:
        return 0;
    }
}

WORD ModifierKeys()
{
    const Uint16 mod = AfxGetDisplaySystem().GetModState();
    return WORD(((mod & KMOD_SHIFT) ? MK_SHIFT : 0) | ((mod & KMOD_CTRL) ? MK_CONTROL : 0));
}

WORD MouseKeys(Uint32 state)
{
    return WORD(ModifierKeys() | ((state & SDL_BUTTON_LMASK) ? MK_LBUTTON : 0) |
                ((state & SDL_BUTTON_RMASK) ? MK_RBUTTON : 0) | ((state & SDL_BUTTON_MMASK) ? MK_MBUTTON : 0));
}

LPARAM PointParam(CPoint pt)
{
    return MAKELPARAM(WORD(pt.x), WORD(pt.y));
}

} // namespace

void CUiTopWindow::OnInput(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_MOUSEMOTION:
        NotePointerMotion();
        m_ptMouse = ClientPoint(event.motion.x, event.motion.y);
        // A pushed button keeps the mouse until the button is released.
        if (m_pPressed)
            Invalidate(nullptr, FALSE);
        else
            Send(WM_MOUSEMOVE, MouseKeys(event.motion.state), PointParam(m_ptMouse));
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        OnMouseButton(event.button);
        break;
    case SDL_MOUSEWHEEL:
        OnMouseWheel(event.wheel);
        break;
    case SDL_KEYDOWN:
        OnKey(event.key);
        break;
    default:
        break;
    }
}

void CUiTopWindow::OnMouseButton(const SDL_MouseButtonEvent& event)
{
    m_ptMouse = ClientPoint(event.x, event.y);
    const BOOL bDown = event.type == SDL_MOUSEBUTTONDOWN;
    const WORD keys = MouseKeys(AfxGetDisplaySystem().GetMouseButtons());
    if (event.button == SDL_BUTTON_RIGHT) {
        Send(bDown ? WM_RBUTTONDOWN : WM_RBUTTONUP, keys, PointParam(m_ptMouse));
        return;
    }
    if (event.button != SDL_BUTTON_LEFT)
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

void CUiTopWindow::OnMouseWheel(const SDL_MouseWheelEvent& event)
{
    // Precise (touchpad) movement adds up to whole notches; each notch is one message.
    float fNotches = event.preciseY;
    if (event.direction == SDL_MOUSEWHEEL_FLIPPED)
        fNotches = -fNotches;
    m_fWheel += fNotches;
    const CRect rcClient = GetClientScreenRect();
    const CPoint ptClient = ClientPoint(event.mouseX, event.mouseY);
    const LPARAM lParam = PointParam(CPoint(rcClient.left + ptClient.x, rcClient.top + ptClient.y));
    const WORD keys = MouseKeys(AfxGetDisplaySystem().GetMouseButtons());
    const BOOL bNotches = m_fWheel >= 1.0f || m_fWheel <= -1.0f;
    for (; m_fWheel >= 1.0f; m_fWheel -= 1.0f)
        Send(WM_MOUSEWHEEL, MAKEWPARAM(keys, WORD(WHEEL_DELTA)), lParam);
    for (; m_fWheel <= -1.0f; m_fWheel += 1.0f)
        Send(WM_MOUSEWHEEL, MAKEWPARAM(keys, WORD(-WHEEL_DELTA)), lParam);
    if (bNotches)
        AfxNoteWheelEvent(event.timestamp, m_nWindowID);
}

// The modifiers of the key message being handled, as GetKeyState tells them.
static Uint16 g_nKeyMods = KMOD_NONE;

SHORT GetKeyState(int nVirtKey)
{
    const Uint16 mask = nVirtKey == VK_CONTROL ? KMOD_CTRL
                        : nVirtKey == VK_SHIFT ? KMOD_SHIFT
                        : nVirtKey == VK_MENU  ? KMOD_ALT
                                               : 0;
    return (g_nKeyMods & mask) ? SHORT(0x8000) : SHORT(0);
}

void CUiTopWindow::OnKey(const SDL_KeyboardEvent& event)
{
    const UINT nVirtKey = VirtualKey(event.keysym.sym);
    if (!nVirtKey)
        return;
    g_nKeyMods = event.keysym.mod;
    const LPARAM lParam = kOneKeyStroke | (event.repeat ? kWasDown : 0);
    if (event.keysym.mod & KMOD_ALT)
        Send(WM_SYSKEYDOWN, nVirtKey, lParam | kAltContext);
    else
        Send(WM_KEYDOWN, nVirtKey, lParam);
}

void CUiTopWindow::OnPadKey(UINT nVirtKey, BOOL bRepeat)
{
    g_nKeyMods = KMOD_NONE;
    Send(WM_KEYDOWN, nVirtKey, kOneKeyStroke | (bRepeat ? kWasDown : 0));
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

void CUiTopWindow::OnWindowEvent(const SDL_WindowEvent& event)
{
    switch (event.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_DISPLAY_CHANGED:
        // On another output (or one whose scale changed) the window may draw at another scale.
        ApplyScale();
        LosePicture();
        Invalidate(nullptr, TRUE);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
        // What the window showed is lost: paint it all and present it all.
        LosePicture();
        Invalidate(nullptr, TRUE);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        // The close button of the frame, the desktop's or libdecor's.
        if (TakesInput())
            Send(WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST: {
        // The window that takes the focus when it is ours (a modal dialog over
        // this one); null when it went to another program.
        CLoopWindow* pModal = CMessageLoop::Get().GetModalWindow();
        CUiTopWindow* pOther = pModal != this ? dynamic_cast<CUiTopWindow*>(pModal) : nullptr;
        Send(WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, WORD(IsIconic())), LPARAM(static_cast<HWND>(pOther)));
        break;
    }
    case SDL_WINDOWEVENT_MINIMIZED:
        Send(WM_SIZE, SIZE_MINIMIZED, 0);
        break;
    default:
        break;
    }
}

