// Inside platform/ui: the seat's pointer and keyboard on our Wayland
// windows, as the framework's input (Input.h, by our window ids):
//   pointer   enter and motion as kMouseMove in the window's points, buttons
//             as kButtonDown/Up, the wheel in discrete steps (a touchpad's
//             smooth movement as fractions of a step, ten units a step),
//             positive away from the user
//   keyboard  the compositor's keymap through xkbcommon (WaylandKeys.h), its
//             focus as kFocusGained/Lost, and keys as kKeyDown/Up; Wayland
//             leaves key repeat to the client, so a down that the keymap
//             lets repeat carries the compositor's delay and rate, and the
//             message loop repeats it while it is held
// It also keeps which window has the keyboard focus. A compositor may offer
// several seats and take one away at any time: each is one of these.
#pragma once

#include <cstdint>

#include "platform/core/Types.h"
#include "platform/ui/display/Input.h"
#include "platform/ui/display/wayland/WaylandCursor.h"
#include "platform/ui/display/wayland/SeatState.h"
#include "platform/ui/display/wayland/WaylandKeys.h"

struct wl_registry;
struct wl_seat;
struct wl_pointer;
struct wl_keyboard;
struct wl_keyboard_listener;
struct wl_array;
class CWaylandConnection;
class CWaylandWindow;

class CWaylandSeat {
public:
    // Binds the registry's global nName, a seat of version nVersion.
    CWaylandSeat(CWaylandConnection* pConnection, wl_registry* pRegistry, uint32_t nName, uint32_t nVersion);
    ~CWaylandSeat();
    CWaylandSeat(const CWaylandSeat&) = delete;
    CWaylandSeat& operator=(const CWaylandSeat&) = delete;

    CWaylandWindow* GetKeyboardFocus() const { return m_pKeyFocus; }
    wl_seat* GetSeat() const { return m_pSeat; }
    uint32_t GetName() const { return m_nName; }
    // The seat is going away: its focus and its pointer leave our windows.
    void Leave();
    // The serial of the last input, which some shell requests need.
    uint32_t GetLastSerial() const { return m_nSerial; }

    // Shows or hides the pointer over our windows, now and at its next entry.
    void ShowPointer(BOOL bShow);
    void OnWindowGone(CWaylandWindow* pWindow);

    // The listeners' work, public for the C callbacks.
    void OnCapabilities(uint32_t nCaps);
    void OnPointerEnter(uint32_t nSerial, wl_surface* pSurface, double x, double y);
    void OnPointerLeave();
    void OnPointerMotion(double x, double y);
    void OnPointerButton(uint32_t nSerial, uint32_t nButton, uint32_t nState);
    void OnPointerAxis(uint32_t nAxis, double dValue);
    void OnPointerDiscrete(uint32_t nAxis, int32_t nDiscrete);
    void OnPointerValue120(uint32_t nAxis, int32_t nValue120);
    void OnPointerFrame();
    void OnKeymap(uint32_t nFormat, int fd, uint32_t nSize);
    void OnKeyboardEnter(wl_surface* pSurface);
    void OnKeyboardLeave();
    void OnKey(uint32_t nSerial, uint32_t nKey, uint32_t nState);
    void OnModifiers(uint32_t nDepressed, uint32_t nLatched, uint32_t nLocked, uint32_t nGroup);
    void OnRepeatInfo(int32_t nRate, int32_t nDelay);

private:
    static const wl_keyboard_listener s_keyboardListener;

    void PostWindowChange(const CWaylandWindow* pWindow, EWindowChange change) const;
    // A pointer event at the pointer's place in its window.
    void PostPointer(AFX_INPUT input) const;

    CWaylandConnection* m_pConnection;
    wl_seat* m_pSeat;
    uint32_t m_nName;
    wl_pointer* m_pPointer = nullptr;
    wl_keyboard* m_pKeyboard = nullptr;
    CWaylandCursor m_cursor;
    uint32_t m_nSerial = 0;
    uint32_t m_nEnterSerial = 0; // the pointer's last entry, which setting its image needs
    BOOL m_bPointerHidden = FALSE;

    CWaylandWindow* m_pPointerWindow = nullptr;
    double m_x = 0; // the pointer in the window's points
    double m_y = 0;
    UINT m_nButtons = 0; // MK_ flags
    CWheelFrame m_wheel;

    CXkbKeyboard m_keyboard;
    CWaylandWindow* m_pKeyFocus = nullptr;
    int32_t m_nRepeatRate = 25; // repeats a second, 0 for none, and the delay before the first
    int32_t m_nRepeatDelay = 600;
};
