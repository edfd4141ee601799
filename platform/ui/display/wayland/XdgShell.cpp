// Our own xdg_toplevel, decorated by the compositor where it offers that.
#include <wayland-client.h>

#include "platform/core/Resources.h"
#include "platform/ui/display/wayland/WaylandConnection.h"
#include "platform/ui/display/wayland/WaylandShell.h"
#include "platform/ui/display/wayland/WaylandWindow.h"
#include "xdg-decoration-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

namespace {

class CXdgShell : public CWaylandShell {
public:
    CXdgShell(CWaylandConnection* pConnection, CWaylandWindow* pWindow, BOOL bAskServerFrame) : m_pWindow(pWindow)
    {
        m_pXdgSurface = xdg_wm_base_get_xdg_surface(pConnection->GetWmBase(), pWindow->GetSurface());
        xdg_surface_add_listener(m_pXdgSurface, &kSurfaceListener, this);
        m_pToplevel = xdg_surface_get_toplevel(m_pXdgSurface);
        xdg_toplevel_add_listener(m_pToplevel, &kToplevelListener, this);
        xdg_toplevel_set_app_id(m_pToplevel, AfxProgramResources().pszAppId);
        zxdg_decoration_manager_v1* pManager = pConnection->GetDecorationManager();
        if (pManager && bAskServerFrame) {
            m_pDecoration = zxdg_decoration_manager_v1_get_toplevel_decoration(pManager, m_pToplevel);
            zxdg_toplevel_decoration_v1_add_listener(m_pDecoration, &kDecorationListener, this);
            zxdg_toplevel_decoration_v1_set_mode(m_pDecoration, ZXDG_TOPLEVEL_DECORATION_V1_MODE_SERVER_SIDE);
        }
    }

    ~CXdgShell() override
    {
        if (m_pDecoration)
            zxdg_toplevel_decoration_v1_destroy(m_pDecoration);
        xdg_toplevel_destroy(m_pToplevel);
        xdg_surface_destroy(m_pXdgSurface);
    }

    void SetTitle(const char* pszTitle) override { xdg_toplevel_set_title(m_pToplevel, pszTitle); }
    void SetFixedSize(int cx, int cy, BOOL bLimit) override
    {
        // 0 x 0: no limits.
        xdg_toplevel_set_min_size(m_pToplevel, bLimit ? cx : 0, bLimit ? cy : 0);
        xdg_toplevel_set_max_size(m_pToplevel, bLimit ? cx : 0, bLimit ? cy : 0);
    }
    void SetParent(CWaylandShell* pParent) override
    {
        xdg_toplevel_set_parent(m_pToplevel, pParent ? static_cast<CXdgShell*>(pParent)->m_pToplevel : nullptr);
    }
    void SetFullscreen(BOOL bFullscreen) override
    {
        if (!Can(kCanFullscreen))
            return;
        if (bFullscreen)
            xdg_toplevel_set_fullscreen(m_pToplevel, nullptr);
        else
            xdg_toplevel_unset_fullscreen(m_pToplevel);
    }
    void SetMinimized() override
    {
        if (Can(kCanMinimize))
            xdg_toplevel_set_minimized(m_pToplevel);
    }
    // The first commit with no buffer asks for the first configure.
    void Map() override { wl_surface_commit(m_pWindow->GetSurface()); }

private:
    static void OnConfigure(void* pData, xdg_surface* pSurface, uint32_t nSerial)
    {
        auto* self = static_cast<CXdgShell*>(pData);
        xdg_surface_ack_configure(pSurface, nSerial);
        self->m_pWindow->OnConfigure(self->m_bActivated, self->m_bFullscreen, self->m_cxConfigured,
                                     self->m_cyConfigured);
    }
    static void OnToplevelConfigure(void* pData, xdg_toplevel*, int32_t cx, int32_t cy, wl_array* pStates)
    {
        auto* self = static_cast<CXdgShell*>(pData);
        self->m_cxConfigured = cx;
        self->m_cyConfigured = cy;
        self->m_bActivated = self->m_bFullscreen = FALSE;
        const auto* pState = static_cast<const uint32_t*>(pStates->data);
        for (size_t i = 0; i < pStates->size / sizeof(uint32_t); ++i) {
            if (pState[i] == XDG_TOPLEVEL_STATE_ACTIVATED)
                self->m_bActivated = TRUE;
            else if (pState[i] == XDG_TOPLEVEL_STATE_FULLSCREEN)
                self->m_bFullscreen = TRUE;
        }
    }
    static void OnClose(void* pData, xdg_toplevel*) { static_cast<CXdgShell*>(pData)->m_pWindow->OnClose(); }
    // Version 4: the work area, which the window's next configure may fill.
    static void OnBounds(void* pData, xdg_toplevel*, int32_t cx, int32_t cy)
    {
        static_cast<CXdgShell*>(pData)->m_pWindow->OnBounds(cx, cy);
    }
    // Version 5: what the compositor's window management does. A request it
    // said it cannot do is not sent (the window then keeps its state).
    static void OnCapabilities(void* pData, xdg_toplevel*, wl_array* pCapabilities)
    {
        auto* self = static_cast<CXdgShell*>(pData);
        self->m_nCapabilities = 0;
        const auto* pCapability = static_cast<const uint32_t*>(pCapabilities->data);
        for (size_t i = 0; i < pCapabilities->size / sizeof(uint32_t); ++i) {
            if (pCapability[i] < 32)
                self->m_nCapabilities |= 1u << pCapability[i];
        }
    }
    BOOL Can(uint32_t nCapability) const { return (m_nCapabilities & (1u << nCapability)) != 0; }
    static void OnDecorationMode(void* pData, zxdg_toplevel_decoration_v1*, uint32_t nMode)
    {
        // The window makes a new role with libdecor's frame; this one is gone after the call.
        if (nMode == ZXDG_TOPLEVEL_DECORATION_V1_MODE_CLIENT_SIDE)
            static_cast<CXdgShell*>(pData)->m_pWindow->OnClientFrameWanted();
    }

    static constexpr xdg_surface_listener kSurfaceListener = {OnConfigure};
    static constexpr xdg_toplevel_listener kToplevelListener = {OnToplevelConfigure, OnClose, OnBounds,
#ifdef XDG_TOPLEVEL_WM_CAPABILITIES_SINCE_VERSION
                                                                OnCapabilities
#endif
    };
    static constexpr zxdg_toplevel_decoration_v1_listener kDecorationListener = {OnDecorationMode};

    CWaylandWindow* m_pWindow;
    xdg_surface* m_pXdgSurface;
    xdg_toplevel* m_pToplevel;
    zxdg_toplevel_decoration_v1* m_pDecoration = nullptr;
    BOOL m_bActivated = FALSE; // from the toplevel's configure, applied at the surface's
    BOOL m_bFullscreen = FALSE;
    int m_cxConfigured = 0;
    int m_cyConfigured = 0;
    // Bits by xdg_toplevel's capability numbers; all of them until the compositor tells.
    static constexpr uint32_t kCanFullscreen = 3;
    static constexpr uint32_t kCanMinimize = 4;
    uint32_t m_nCapabilities = ~0u;
};

} // namespace

CWaylandShell* AfxMakeXdgShell(CWaylandConnection* pConnection, CWaylandWindow* pWindow, BOOL bAskServerFrame)
{
    return new CXdgShell(pConnection, pWindow, bAskServerFrame);
}

CWaylandShell* AfxMakeClientFrameShell(CWaylandConnection* pConnection, CWaylandWindow* pWindow)
{
    if (pConnection->GetDecor())
        return AfxMakeDecorShell(pConnection, pWindow);
    return AfxMakeXdgShell(pConnection, pWindow, FALSE);
}

CWaylandShell* AfxMakeWaylandShell(CWaylandConnection* pConnection, CWaylandWindow* pWindow)
{
    // libdecor only where the compositor draws no decorations itself.
    if (!pConnection->GetDecorationManager())
        return AfxMakeClientFrameShell(pConnection, pWindow);
    return AfxMakeXdgShell(pConnection, pWindow, TRUE);
}
