#include "platform/ui/display/wayland/WaylandSeat.h"

#include <linux/input-event-codes.h>

#include <wayland-client.h>

#include "platform/ui/display/wayland/WaylandConnection.h"
#include "platform/ui/display/wayland/WaylandKeys.h"
#include "platform/ui/display/wayland/WaylandWindow.h"

namespace {

CWaylandSeat* Self(void* pData)
{
    return static_cast<CWaylandSeat*>(pData);
}

const wl_pointer_listener kPointerListener = {
    [](void* p, wl_pointer*, uint32_t nSerial, wl_surface* pSurface, wl_fixed_t x, wl_fixed_t y) {
        Self(p)->OnPointerEnter(nSerial, pSurface, wl_fixed_to_double(x), wl_fixed_to_double(y));
    },
    [](void* p, wl_pointer*, uint32_t, wl_surface*) { Self(p)->OnPointerLeave(); },
    [](void* p, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) {
        Self(p)->OnPointerMotion(wl_fixed_to_double(x), wl_fixed_to_double(y));
    },
    [](void* p, wl_pointer*, uint32_t nSerial, uint32_t, uint32_t nButton, uint32_t nState) {
        Self(p)->OnPointerButton(nSerial, nButton, nState);
    },
    [](void* p, wl_pointer*, uint32_t, uint32_t nAxis, wl_fixed_t value) {
        Self(p)->OnPointerAxis(nAxis, wl_fixed_to_double(value));
    },
    [](void* p, wl_pointer*) { Self(p)->OnPointerFrame(); },
    [](void*, wl_pointer*, uint32_t) {},
    [](void*, wl_pointer*, uint32_t, uint32_t) {},
    [](void* p, wl_pointer*, uint32_t nAxis, int32_t nDiscrete) { Self(p)->OnPointerDiscrete(nAxis, nDiscrete); },
    [](void* p, wl_pointer*, uint32_t nAxis, int32_t nValue) { Self(p)->OnPointerValue120(nAxis, nValue); },
};

// Version 5 has the wheel's discrete steps and the pointer's frame, 8 the
// wheel in 120ths of a step instead.
#ifdef WL_POINTER_AXIS_VALUE120_SINCE_VERSION
constexpr uint32_t kSeatVersion = 8;
#else
constexpr uint32_t kSeatVersion = 7;
#endif

void ReleasePointer(wl_pointer* pPointer)
{
    if (wl_pointer_get_version(pPointer) >= WL_POINTER_RELEASE_SINCE_VERSION)
        wl_pointer_release(pPointer);
    else
        wl_pointer_destroy(pPointer);
}

void ReleaseKeyboard(wl_keyboard* pKeyboard)
{
    if (wl_keyboard_get_version(pKeyboard) >= WL_KEYBOARD_RELEASE_SINCE_VERSION)
        wl_keyboard_release(pKeyboard);
    else
        wl_keyboard_destroy(pKeyboard);
}

const wl_seat_listener kSeatListener = {
    [](void* p, wl_seat*, uint32_t nCaps) { Self(p)->OnCapabilities(nCaps); },
    [](void*, wl_seat*, const char*) {},
};

UINT ButtonOf(uint32_t nButton)
{
    switch (nButton) {
    case BTN_LEFT:
        return MK_LBUTTON;
    case BTN_RIGHT:
        return MK_RBUTTON;
    case BTN_MIDDLE:
        return MK_MBUTTON;
    default:
        return 0;
    }
}

} // namespace

CWaylandSeat::CWaylandSeat(CWaylandConnection* pConnection, wl_registry* pRegistry, uint32_t nName,
                           uint32_t nVersion)
    : m_pConnection(pConnection),
      m_pSeat(static_cast<wl_seat*>(
          wl_registry_bind(pRegistry, nName, &wl_seat_interface, nVersion < kSeatVersion ? nVersion : kSeatVersion))),
      m_nName(nName), m_cursor(pConnection)
{
    wl_seat_add_listener(m_pSeat, &kSeatListener, this);
}

CWaylandSeat::~CWaylandSeat()
{
    if (m_pPointer)
        ReleasePointer(m_pPointer);
    if (m_pKeyboard)
        ReleaseKeyboard(m_pKeyboard);
    if (wl_seat_get_version(m_pSeat) >= WL_SEAT_RELEASE_SINCE_VERSION)
        wl_seat_release(m_pSeat);
    else
        wl_seat_destroy(m_pSeat);
}

void CWaylandSeat::Leave()
{
    OnPointerLeave();
    OnKeyboardLeave();
    m_nButtons = 0;
}

void CWaylandSeat::OnCapabilities(uint32_t nCaps)
{
    if ((nCaps & WL_SEAT_CAPABILITY_POINTER) && !m_pPointer) {
        m_pPointer = wl_seat_get_pointer(m_pSeat);
        wl_pointer_add_listener(m_pPointer, &kPointerListener, this);
    } else if (!(nCaps & WL_SEAT_CAPABILITY_POINTER) && m_pPointer) {
        OnPointerLeave();
        ReleasePointer(m_pPointer);
        m_pPointer = nullptr;
        m_nButtons = 0;
    }
    if ((nCaps & WL_SEAT_CAPABILITY_KEYBOARD) && !m_pKeyboard) {
        m_pKeyboard = wl_seat_get_keyboard(m_pSeat);
        wl_keyboard_add_listener(m_pKeyboard, &s_keyboardListener, this);
    } else if (!(nCaps & WL_SEAT_CAPABILITY_KEYBOARD) && m_pKeyboard) {
        ReleaseKeyboard(m_pKeyboard);
        m_pKeyboard = nullptr;
        OnKeyboardLeave();
    }
}

void CWaylandSeat::PostWindowChange(const CWaylandWindow* pWindow, EWindowChange change) const
{
    AFX_INPUT input;
    input.type = EInput::kWindow;
    input.nWindowID = pWindow->GetID();
    input.change = change;
    m_pConnection->Post(input);
}

void CWaylandSeat::PostPointer(AFX_INPUT input) const
{
    input.nWindowID = m_pPointerWindow->GetID();
    input.x = int(m_x);
    input.y = int(m_y);
    input.nButtons = m_nButtons;
    input.nMods = m_keyboard.GetMods();
    m_pConnection->Post(input);
}

void CWaylandSeat::OnPointerEnter(uint32_t nSerial, wl_surface* pSurface, double x, double y)
{
    m_nSerial = nSerial;
    // Over libdecor's title bar the pointer is the decoration's business.
    m_pPointerWindow = m_pConnection->FindWindow(pSurface);
    if (!m_pPointerWindow)
        return;
    m_nEnterSerial = nSerial;
    if (m_bPointerHidden)
        wl_pointer_set_cursor(m_pPointer, nSerial, nullptr, 0, 0);
    else
        m_cursor.Set(m_pPointer, nSerial, m_pPointerWindow->GetBufferScale());
    OnPointerMotion(x, y);
}

void CWaylandSeat::ShowPointer(BOOL bShow)
{
    m_bPointerHidden = !bShow;
    if (!m_pPointer || !m_pPointerWindow)
        return;
    if (bShow)
        m_cursor.Set(m_pPointer, m_nEnterSerial, m_pPointerWindow->GetBufferScale());
    else
        wl_pointer_set_cursor(m_pPointer, m_nEnterSerial, nullptr, 0, 0);
}

void CWaylandSeat::OnPointerLeave()
{
    m_pPointerWindow = nullptr;
}

void CWaylandSeat::OnPointerMotion(double x, double y)
{
    if (!m_pPointerWindow)
        return;
    m_x = x;
    m_y = y;
    AFX_INPUT input;
    input.type = EInput::kMouseMove;
    PostPointer(input);
}

void CWaylandSeat::OnPointerButton(uint32_t nSerial, uint32_t nButton, uint32_t nState)
{
    m_nSerial = nSerial;
    const UINT nMask = ButtonOf(nButton);
    if (!nMask || !m_pPointerWindow)
        return;
    const BOOL bDown = nState == WL_POINTER_BUTTON_STATE_PRESSED;
    m_nButtons = bDown ? m_nButtons | nMask : m_nButtons & ~nMask;
    AFX_INPUT input;
    input.type = bDown ? EInput::kButtonDown : EInput::kButtonUp;
    input.nButton = nMask;
    PostPointer(input);
}

void CWaylandSeat::OnPointerAxis(uint32_t nAxis, double dValue)
{
    if (nAxis != WL_POINTER_AXIS_VERTICAL_SCROLL)
        return;
    m_wheel.AddAxis(dValue);
    // Before version 5 no frame ends the pointer's events: each stands alone.
    if (wl_pointer_get_version(m_pPointer) < WL_POINTER_FRAME_SINCE_VERSION)
        OnPointerFrame();
}

void CWaylandSeat::OnPointerDiscrete(uint32_t nAxis, int32_t nDiscrete)
{
    if (nAxis == WL_POINTER_AXIS_VERTICAL_SCROLL)
        m_wheel.AddDiscrete(nDiscrete);
}

void CWaylandSeat::OnPointerValue120(uint32_t nAxis, int32_t nValue120)
{
    if (nAxis == WL_POINTER_AXIS_VERTICAL_SCROLL)
        m_wheel.AddValue120(nValue120);
}

void CWaylandSeat::OnPointerFrame()
{
    const float fNotches = m_wheel.Take();
    if (fNotches == 0 || !m_pPointerWindow)
        return;
    AFX_INPUT input;
    input.type = EInput::kWheel;
    input.fNotches = fNotches;
    PostPointer(input);
}

void CWaylandSeat::OnWindowGone(CWaylandWindow* pWindow)
{
    if (m_pPointerWindow == pWindow)
        m_pPointerWindow = nullptr;
    if (m_pKeyFocus == pWindow)
        m_pKeyFocus = nullptr;
}
