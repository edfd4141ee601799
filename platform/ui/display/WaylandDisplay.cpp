// The Wayland display system: the wl_display behind SDL's windows. This is
// the only file that includes Wayland headers.
#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>

#include <cerrno>
#include <wayland-client.h>

#include "platform/ui/display/DeviceScale.h"
#include "platform/ui/display/DisplaySystem.h"
#include "platform/ui/display/FrameBuffer.h"

namespace {

constexpr int kKeyRepeatSleepMs = 10;

class CWaylandDisplaySystem : public CDisplaySystem {
public:
    const char* GetDriverName() const override { return "wayland"; }

    void GetScaleSources(SDL_Window* pWindow, DEVICESCALESOURCES* pSources) const override
    {
        // A window that may draw at the output's scale has as many pixels
        // more than points as the output's scale says.
        int cx = 0;
        int cy = 0;
        int cxPixels = 0;
        int cyPixels = 0;
        SDL_GetWindowSize(pWindow, &cx, &cy);
        SDL_GetWindowSizeInPixels(pWindow, &cxPixels, &cyPixels);
        if (cx > 0)
            pSources->dOutputScale = double(cxPixels) / cx;
    }

    std::unique_ptr<CFrameBuffer> MakeFrameBuffer(SDL_Window* pWindow) const override
    {
        return AfxMakeRendererFrameBuffer(pWindow);
    }

    void Attach(SDL_Window* pWindow) override
    {
        if (m_pDisplay)
            return;
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (SDL_GetWindowWMInfo(pWindow, &info) && info.subsystem == SDL_SYSWM_WAYLAND)
            m_pDisplay = info.info.wl.display;
    }

    BOOL PrepareWait(int* pFd) override
    {
        *pFd = -1;
        if (!m_pDisplay)
            return TRUE;
        CheckConnection();
        // Events already read into the queue must be dispatched (SDL's pump
        // does that) before we may sleep on the socket.
        if (wl_display_prepare_read(m_pDisplay) != 0)
            return FALSE;
        // Requests not yet sent may be what the compositor's answer waits for.
        if (wl_display_flush(m_pDisplay) < 0 && errno != EAGAIN) {
            wl_display_cancel_read(m_pDisplay);
            AfxDisplayLost();
        }
        *pFd = wl_display_get_fd(m_pDisplay);
        return TRUE;
    }

    void FinishWait(short nRevents) override
    {
        if (!m_pDisplay)
            return;
        if (nRevents & (POLLHUP | POLLERR)) {
            wl_display_cancel_read(m_pDisplay);
            AfxDisplayLost();
        }
        if (nRevents & POLLIN) {
            if (wl_display_read_events(m_pDisplay) < 0)
                AfxDisplayLost();
        } else {
            wl_display_cancel_read(m_pDisplay);
        }
    }

    int GetSleepLimit() const override
    {
        // On Wayland the client repeats held keys: SDL does it in its pump,
        // which must run often enough to keep the compositor's rate.
        int nKeys = 0;
        const Uint8* pKeys = SDL_GetKeyboardState(&nKeys);
        for (int i = 0; i < nKeys; ++i) {
            if (pKeys[i])
                return kKeyRepeatSleepMs;
        }
        return -1;
    }

    BOOL IsLost() const override { return m_pDisplay && wl_display_get_error(m_pDisplay) != 0; }

    void StateConfigured(SDL_Window* pWindow) override
    {
        // SDL's configure handler lets libdecor redraw the frame, whose old
        // buffers it frees at once, and leaves the commit to the next present:
        // without one the window shows no frame at all. A commit with no new
        // buffer keeps our picture and brings the frame's.
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (SDL_GetWindowWMInfo(pWindow, &info) && info.subsystem == SDL_SYSWM_WAYLAND && info.info.wl.surface)
            wl_surface_commit(info.info.wl.surface);
    }

private:
    void CheckConnection() const
    {
        // SDL's pump turns a broken connection into a quit request; we end with a failure instead.
        if (IsLost())
            AfxDisplayLost();
    }

    wl_display* m_pDisplay = nullptr;
};

} // namespace

CDisplaySystem* AfxMakeWaylandDisplaySystem()
{
    static CWaylandDisplaySystem system;
    return &system;
}
