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

Uint8 SdlButton(uint32_t nButton)
{
    switch (nButton) {
    case BTN_LEFT:
        return SDL_BUTTON_LEFT;
    case BTN_RIGHT:
        return SDL_BUTTON_RIGHT;
    case BTN_MIDDLE:
        return SDL_BUTTON_MIDDLE;
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

void CWaylandSeat::PostWindowEvent(const CWaylandWindow* pWindow, Uint8 nEvent) const
{
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.timestamp = SDL_GetTicks();
    event.window.windowID = pWindow->GetID();
    event.window.event = nEvent;
    m_pConnection->Post(event);
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
    PostWindowEvent(m_pPointerWindow, SDL_WINDOWEVENT_ENTER);
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
    if (m_pPointerWindow)
        PostWindowEvent(m_pPointerWindow, SDL_WINDOWEVENT_LEAVE);
    m_pPointerWindow = nullptr;
}

void CWaylandSeat::OnPointerMotion(double x, double y)
{
    if (!m_pPointerWindow)
        return;
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.timestamp = SDL_GetTicks();
    event.motion.windowID = m_pPointerWindow->GetID();
    event.motion.state = m_nButtons;
    event.motion.x = Sint32(x);
    event.motion.y = Sint32(y);
    event.motion.xrel = Sint32(x) - Sint32(m_x);
    event.motion.yrel = Sint32(y) - Sint32(m_y);
    m_x = x;
    m_y = y;
    m_pConnection->Post(event);
}

void CWaylandSeat::OnPointerButton(uint32_t nSerial, uint32_t nButton, uint32_t nState)
{
    m_nSerial = nSerial;
    const Uint8 nSdlButton = SdlButton(nButton);
    if (!nSdlButton || !m_pPointerWindow)
        return;
    const BOOL bDown = nState == WL_POINTER_BUTTON_STATE_PRESSED;
    if (bDown)
        m_nButtons |= SDL_BUTTON(nSdlButton);
    else
        m_nButtons &= ~Uint32(SDL_BUTTON(nSdlButton));
    SDL_Event event{};
    event.type = bDown ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.timestamp = SDL_GetTicks();
    event.button.windowID = m_pPointerWindow->GetID();
    event.button.button = nSdlButton;
    event.button.state = Uint8(bDown ? SDL_PRESSED : SDL_RELEASED);
    event.button.clicks = 1;
    event.button.x = Sint32(m_x);
    event.button.y = Sint32(m_y);
    m_pConnection->Post(event);
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
    const float fSteps = m_wheel.Take();
    if (fSteps == 0 || !m_pPointerWindow)
        return;
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.timestamp = SDL_GetTicks();
    event.wheel.windowID = m_pPointerWindow->GetID();
    event.wheel.y = Sint32(fSteps);
    event.wheel.preciseY = fSteps;
    event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    event.wheel.mouseX = Sint32(m_x);
    event.wheel.mouseY = Sint32(m_y);
    m_pConnection->Post(event);
}

void CWaylandSeat::OnWindowGone(CWaylandWindow* pWindow)
{
    if (m_pPointerWindow == pWindow)
        m_pPointerWindow = nullptr;
    if (m_pKeyFocus == pWindow) {
        m_pKeyFocus = nullptr;
        m_repeat.Stop();
    }
}
