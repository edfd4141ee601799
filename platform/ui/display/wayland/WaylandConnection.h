// Inside platform/ui: our own connection to a Wayland compositor, the one
// the program's Wayland windows live on (no SDL video there: SDL 2.26 makes
// every Wayland window an OpenGL one). It binds the globals our toplevels
// need (compositor, shared memory, xdg-shell, the seat, the outputs and,
// where the compositor offers it, server-side decorations), answers the
// shell's pings, and runs the message loop's sleep on the socket: what
// arrived is dispatched at once, and what the seat and the windows make of
// it goes into SDL's event queue as the SDL events the window layer reads on
// X11 too (window ids are ours).
//
// When the compositor goes away, IsLost says so; the display system then
// ends the process (AfxDisplayLost). Window thread only.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/core/Rect.h"
#include "platform/core/Types.h"

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
    CWaylandSeat* GetSeat() const { return m_pSeat.get(); }

    // The scale of output pOutput (1 when unknown).
    int GetOutputScale(const wl_output* pOutput) const;
    // The scale of the only output, where there is one: a new window's best
    // guess before the compositor says where it is.
    int GetSoleOutputScale() const { return m_outputs.size() == 1 ? m_outputs[0].nScale : 1; }
    // Output pOutput (the first one when null) in points, at (0, 0): a
    // client learns of no panels nor of where outputs are. Empty when unknown.
    CRect GetOutputArea(const wl_output* pOutput) const;
    // Our window whose surface is pSurface, or nullptr (libdecor's frame, a cursor).
    CWaylandWindow* FindWindow(const wl_surface* pSurface) const;
    // The window the compositor activated last, else the last one shown:
    // whose frame libdecor's surfaces are when one of them has the focus.
    CWaylandWindow* GetActiveWindow() const;
    void AddWindow(CWaylandWindow* pWindow);
    void RemoveWindow(CWaylandWindow* pWindow);

    // Where the events made from the compositor's go: SDL's queue unless a test says otherwise.
    void Post(const SDL_Event& event) const;
    void SetPostFunction(std::function<void(const SDL_Event&)> post) { m_post = std::move(post); }

    // The loop's sleep: PrepareWait dispatches what was read already (FALSE:
    // events came, do not sleep), sends our requests and gives the socket;
    // FinishWait reads and dispatches what arrived.
    BOOL PrepareWait(int* pFd);
    void FinishWait(short nRevents);
    // Sends requests and waits for the compositor's answers to them.
    void Roundtrip();
    // The longest the loop may sleep (a held key's next repeat), -1 for no limit.
    int GetSleepLimit() const;
    BOOL IsLost() const;

private:
    explicit CWaylandConnection(wl_display* pDisplay);
    static void OnGlobal(void* pData, wl_registry* pRegistry, uint32_t nName, const char* pszInterface,
                         uint32_t nVersion);
    static void OnGlobalRemove(void* pData, wl_registry* pRegistry, uint32_t nName);
    static void OnOutputScale(void* pData, wl_output* pOutput, int32_t nFactor);
    static void OnOutputGeometry(void* pData, wl_output* pOutput, int32_t x, int32_t y, int32_t cxMm, int32_t cyMm,
                                 int32_t nSubpixel, const char* pszMake, const char* pszModel, int32_t nTransform);
    static void OnOutputMode(void* pData, wl_output* pOutput, uint32_t nFlags, int32_t cx, int32_t cy,
                             int32_t nRefresh);
    void Dispatch();

    struct OUTPUT {
        wl_output* pOutput;
        uint32_t nName;
        int nScale;
        int cxMode; // the current mode in pixels, 0 until told
        int cyMode;
        BOOL bTurned; // a transform of a quarter turn: the mode's sides swap
    };

    wl_display* m_pDisplay;
    wl_registry* m_pRegistry = nullptr;
    wl_compositor* m_pCompositor = nullptr;
    uint32_t m_nCompositorVersion = 0;
    wl_shm* m_pShm = nullptr;
    xdg_wm_base* m_pWmBase = nullptr;
    zxdg_decoration_manager_v1* m_pDecorationManager = nullptr;
    libdecor* m_pDecor = nullptr;
    std::unique_ptr<CWaylandSeat> m_pSeat;
    std::vector<OUTPUT> m_outputs;
    std::vector<CWaylandWindow*> m_windows;
    std::function<void(const SDL_Event&)> m_post;
};
