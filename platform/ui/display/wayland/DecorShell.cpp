// A toplevel through libdecor, for compositors that leave decorations to
// their clients: libdecor's plugin draws the title bar and its buttons on
// surfaces of its own around ours.
#include <libdecor.h>
#include <wayland-client.h>

#include "platform/core/Resources.h"
#include "platform/ui/display/wayland/WaylandConnection.h"
#include "platform/ui/display/wayland/WaylandShell.h"
#include "platform/ui/display/wayland/WaylandWindow.h"

namespace {

class CDecorShell : public CWaylandShell {
public:
    CDecorShell(CWaylandConnection* pConnection, CWaylandWindow* pWindow) : m_pWindow(pWindow)
    {
        m_pFrame = libdecor_decorate(pConnection->GetDecor(), pWindow->GetSurface(), &s_interface, this);
        libdecor_frame_set_app_id(m_pFrame, AfxProgramResources().pszAppId);
    }
    ~CDecorShell() override { libdecor_frame_unref(m_pFrame); }

    void SetTitle(const char* pszTitle) override { libdecor_frame_set_title(m_pFrame, pszTitle); }
    void SetFixedSize(int cx, int cy, BOOL bLimit) override
    {
        const BOOL bNewSize = cx != m_cx || cy != m_cy;
        m_cx = cx;
        m_cy = cy;
        // 0 x 0: no limits.
        libdecor_frame_set_min_content_size(m_pFrame, bLimit ? cx : 0, bLimit ? cy : 0);
        libdecor_frame_set_max_content_size(m_pFrame, bLimit ? cx : 0, bLimit ? cy : 0);
        // A window of one size has nothing to maximise or resize.
        libdecor_frame_unset_capabilities(m_pFrame, LIBDECOR_ACTION_RESIZE);
        if (m_bConfigured && bNewSize)
            Commit(nullptr);
    }
    void SetParent(CWaylandShell* pParent) override
    {
        libdecor_frame_set_parent(m_pFrame, pParent ? static_cast<CDecorShell*>(pParent)->m_pFrame : nullptr);
    }
    void SetFullscreen(BOOL bFullscreen) override
    {
        if (bFullscreen)
            libdecor_frame_set_fullscreen(m_pFrame, nullptr);
        else
            libdecor_frame_unset_fullscreen(m_pFrame);
    }
    void SetMinimized() override { libdecor_frame_set_minimized(m_pFrame); }
    void Map() override { libdecor_frame_map(m_pFrame); }

private:
    void Commit(libdecor_configuration* pConfiguration, int cx = 0, int cy = 0)
    {
        libdecor_state* pState = libdecor_state_new(cx > 0 ? cx : m_cx, cy > 0 ? cy : m_cy);
        libdecor_frame_commit(m_pFrame, pState, pConfiguration);
        libdecor_state_free(pState);
    }

    static void OnConfigure(libdecor_frame*, libdecor_configuration* pConfiguration, void* pData)
    {
        auto* self = static_cast<CDecorShell*>(pData);
        libdecor_window_state state = LIBDECOR_WINDOW_STATE_NONE;
        libdecor_configuration_get_window_state(pConfiguration, &state);
        // The content keeps its one size whatever the configure suggests, but in fullscreen.
        const BOOL bFullscreen = (state & LIBDECOR_WINDOW_STATE_FULLSCREEN) != 0;
        int cx = 0;
        int cy = 0;
        if (!bFullscreen || !libdecor_configuration_get_content_size(pConfiguration, self->m_pFrame, &cx, &cy))
            cx = cy = 0;
        self->Commit(pConfiguration, cx, cy);
        self->m_bConfigured = TRUE;
        self->m_pWindow->OnConfigure((state & LIBDECOR_WINDOW_STATE_ACTIVE) != 0, bFullscreen, cx, cy);
    }
    static void OnClose(libdecor_frame*, void* pData) { static_cast<CDecorShell*>(pData)->m_pWindow->OnClose(); }
    static void OnCommit(libdecor_frame*, void* pData)
    {
        wl_surface_commit(static_cast<CDecorShell*>(pData)->m_pWindow->GetSurface());
    }
    static void OnDismissPopup(libdecor_frame*, const char*, void*) {}

    static libdecor_frame_interface s_interface;

    CWaylandWindow* m_pWindow;
    libdecor_frame* m_pFrame;
    int m_cx = 1;
    int m_cy = 1;
    BOOL m_bConfigured = FALSE;
};

libdecor_frame_interface CDecorShell::s_interface = {OnConfigure, OnClose, OnCommit, OnDismissPopup, {}, {}, {},
                                                     {},          {},      {},       {},             {}, {}, {}};

} // namespace

CWaylandShell* AfxMakeDecorShell(CWaylandConnection* pConnection, CWaylandWindow* pWindow)
{
    return new CDecorShell(pConnection, pWindow);
}
