// Inside platform/ui: our own connection to a Wayland compositor, the one
// the program's Wayland windows live on (no SDL video there: SDL 2.26 makes
// every Wayland window an OpenGL one). It binds the globals our toplevels
// need (compositor, shared memory, xdg-shell, the seats, the outputs and,
// where the compositor offers it, server-side decorations), each at the
// highest version both it and we know; answers the shell's pings, and runs
// the message loop's sleep on the socket: what arrived is dispatched at
// once, and what the seats and the windows make of it goes into the
// framework's input queue (Input.h; window ids are ours). Seats and outputs
// may come and go at any time.
//
// Each sleep prepares one read of the socket and then either reads or
// cancels it, never both, whatever failed in between. A request that cannot
// be sent because the compositor closed its end does not stop the reading:
// what it said last (a protocol error, mostly) is still read.
//
// When the compositor goes away or refuses a request, IsLost says so, and
// GetProtocolError what it refused; the display system then ends the
// process. Window thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Rect.h"
#include "platform/core/Types.h"
#include "platform/ui/display/Input.h"
#include "platform/ui/display/wayland/WaylandOutputs.h"

struct wl_display;
struct wl_registry;
struct wl_compositor;
struct wl_shm;
struct wl_seat;
struct wl_output;
struct wl_surface;
struct xdg_wm_base;
struct zxdg_decoration_manager_v1;
struct libdecor;
class CWaylandSeat;
class CWaylandWindow;

class CWaylandConnection {
public:
    // The compositor WAYLAND_DISPLAY names, or nullptr when there is none or
    // it lacks shared memory or xdg-shell.
    static std::unique_ptr<CWaylandConnection> Connect();
    ~CWaylandConnection();

    wl_display* GetDisplay() const { return m_pDisplay; }
    wl_compositor* GetCompositor() const { return m_pCompositor; }
    uint32_t GetCompositorVersion() const { return m_nCompositorVersion; }
    wl_shm* GetShm() const { return m_pShm; }
    xdg_wm_base* GetWmBase() const { return m_pWmBase; }
    // Null when the compositor leaves decorations to its clients.
    zxdg_decoration_manager_v1* GetDecorationManager() const { return m_pDecorationManager; }
    // libdecor, made on first use (a compositor without server-side decorations).
    libdecor* GetDecor();
    // Whether the compositor's xdg-shell sends work area bounds (version 4).
    BOOL HasBounds() const;
    int GetSeatCount() const { return int(m_seats.size()); }

    // The keyboard's focus, of the first seat that has one.
    CWaylandWindow* GetKeyboardFocus() const;
    void ShowPointer(BOOL bShow);

    const CWaylandOutputs& GetOutputs() const { return m_outputs; }
    // Our window whose surface is pSurface, or nullptr (libdecor's frame, a cursor).
    CWaylandWindow* FindWindow(const wl_surface* pSurface) const;
    // The window the compositor activated last, else the last one shown:
    // whose frame libdecor's surfaces are when one of them has the focus.
    CWaylandWindow* GetActiveWindow() const;
    void AddWindow(CWaylandWindow* pWindow);
    void RemoveWindow(CWaylandWindow* pWindow);

    // Where the input made from the compositor's events goes: the input
    // queue unless a test says otherwise.
    void Post(const AFX_INPUT& input) const;
    void SetPostFunction(std::function<void(const AFX_INPUT&)> post) { m_post = std::move(post); }

    // The loop's sleep: PrepareWait dispatches what was read already (FALSE:
    // events came, do not sleep), sends our requests and gives the socket;
    // FinishWait reads and dispatches what arrived.
    // *pnEvents: what to wait for on it (POLLOUT too while requests wait to go).
    BOOL PrepareWait(int* pFd, short* pnEvents);
    void FinishWait(short nRevents);
    // Sends requests and waits for the compositor's answers to them.
    void Roundtrip();
    BOOL IsLost() const;
    // What the compositor refused ("wl_compositor@3 error 3"), empty when
    // the connection is fine or merely lost.
    std::string GetProtocolError() const;

private:
    explicit CWaylandConnection(wl_display* pDisplay);
    static void OnGlobal(void* pData, wl_registry* pRegistry, uint32_t nName, const char* pszInterface,
                         uint32_t nVersion);
    static void OnGlobalRemove(void* pData, wl_registry* pRegistry, uint32_t nName);
    void OnWindowsOutputGone(wl_output* pOutput);
    void CancelRead();

    wl_display* m_pDisplay;
    wl_registry* m_pRegistry = nullptr;
    wl_compositor* m_pCompositor = nullptr;
    uint32_t m_nCompositorVersion = 0;
    wl_shm* m_pShm = nullptr;
    xdg_wm_base* m_pWmBase = nullptr;
    zxdg_decoration_manager_v1* m_pDecorationManager = nullptr;
    libdecor* m_pDecor = nullptr;
    uint32_t m_nWmBaseVersion = 0;
    std::vector<std::unique_ptr<CWaylandSeat>> m_seats;
    CWaylandOutputs m_outputs;
    BOOL m_bReading = FALSE; // a read is prepared, neither done nor cancelled
    std::vector<CWaylandWindow*> m_windows;
    std::function<void(const AFX_INPUT&)> m_post;
};
