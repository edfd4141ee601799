#include "platform/ui/display/wayland/WaylandConnection.h"

#include <libdecor.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/ui/display/wayland/WaylandSeat.h"
#include "platform/ui/display/wayland/WaylandWindow.h"
#include "xdg-decoration-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

namespace {

// The highest version of each global our listeners know. Version 4 of the
// compositor damages buffers in pixels; 3 has the buffer scale.
#ifdef WL_SURFACE_OFFSET_SINCE_VERSION
constexpr uint32_t kCompositorVersion = 5;
#else
constexpr uint32_t kCompositorVersion = 4;
#endif
constexpr uint32_t kMinCompositorVersion = 3;
#ifdef XDG_TOPLEVEL_WM_CAPABILITIES_SINCE_VERSION
constexpr uint32_t kWmBaseVersion = 5;
#else
constexpr uint32_t kWmBaseVersion = 4;
#endif

void OnPing(void*, xdg_wm_base* pWmBase, uint32_t nSerial)
{
    xdg_wm_base_pong(pWmBase, nSerial);
}
const xdg_wm_base_listener kWmBaseListener = {OnPing};

void OnDecorError(libdecor*, libdecor_error, const char* pszMessage)
{
    std::fprintf(stderr, "%s: window decorations: %s\n", program_invocation_short_name, pszMessage);
}
libdecor_interface g_decorInterface = {OnDecorError, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}};

BOOL Is(const char* pszInterface, const wl_interface& interface)
{
    return std::strcmp(pszInterface, interface.name) == 0;
}

} // namespace

std::unique_ptr<CWaylandConnection> CWaylandConnection::Connect()
{
    // libwayland prints what went wrong itself; ours is the one line (DisplaySystem.h).
    wl_log_set_handler_client([](const char*, va_list) {});
    wl_display* pDisplay = wl_display_connect(nullptr);
    if (!pDisplay)
        return nullptr;
    std::unique_ptr<CWaylandConnection> pConnection(new CWaylandConnection(pDisplay));
    // The globals, then what the seat and the outputs say of themselves.
    pConnection->Roundtrip();
    pConnection->Roundtrip();
    if (!pConnection->m_pCompositor || !pConnection->m_pShm || !pConnection->m_pWmBase || pConnection->IsLost())
        return nullptr;
    return pConnection;
}

CWaylandConnection::CWaylandConnection(wl_display* pDisplay)
    : m_pDisplay(pDisplay),
      m_outputs([this] { for (CWaylandWindow* pWindow : m_windows) pWindow->OnOutputsChanged(); },
                [this](wl_output* pOutput) { OnWindowsOutputGone(pOutput); }),
      m_post(AfxPostInput)
{
    static const wl_registry_listener listener = {OnGlobal, OnGlobalRemove};
    m_pRegistry = wl_display_get_registry(pDisplay);
    wl_registry_add_listener(m_pRegistry, &listener, this);
}

CWaylandConnection::~CWaylandConnection()
{
    if (m_bReading)
        CancelRead();
    m_seats.clear();
    if (m_pDecor)
        libdecor_unref(m_pDecor);
    m_outputs.Clear();
    if (m_pDecorationManager)
        zxdg_decoration_manager_v1_destroy(m_pDecorationManager);
    if (m_pWmBase)
        xdg_wm_base_destroy(m_pWmBase);
    if (m_pShm)
        wl_shm_destroy(m_pShm);
    if (m_pCompositor)
        wl_compositor_destroy(m_pCompositor);
    wl_registry_destroy(m_pRegistry);
    wl_display_disconnect(m_pDisplay);
}

void CWaylandConnection::OnGlobal(void* pData, wl_registry* pRegistry, uint32_t nName, const char* pszInterface,
                                  uint32_t nVersion)
{
    auto* self = static_cast<CWaylandConnection*>(pData);
    const auto bind = [&](const wl_interface* pInterface, uint32_t nOurs) {
        return wl_registry_bind(pRegistry, nName, pInterface, std::min(nVersion, nOurs));
    };
    if (Is(pszInterface, wl_compositor_interface) && nVersion >= kMinCompositorVersion && !self->m_pCompositor) {
        self->m_nCompositorVersion = std::min(nVersion, kCompositorVersion);
        self->m_pCompositor = static_cast<wl_compositor*>(bind(&wl_compositor_interface, kCompositorVersion));
    } else if (Is(pszInterface, wl_shm_interface) && !self->m_pShm) {
        self->m_pShm = static_cast<wl_shm*>(bind(&wl_shm_interface, 1));
    } else if (Is(pszInterface, xdg_wm_base_interface) && !self->m_pWmBase) {
        self->m_nWmBaseVersion = std::min(nVersion, kWmBaseVersion);
        self->m_pWmBase = static_cast<xdg_wm_base*>(bind(&xdg_wm_base_interface, kWmBaseVersion));
        xdg_wm_base_add_listener(self->m_pWmBase, &kWmBaseListener, nullptr);
    } else if (Is(pszInterface, zxdg_decoration_manager_v1_interface) && !self->m_pDecorationManager) {
        self->m_pDecorationManager =
            static_cast<zxdg_decoration_manager_v1*>(bind(&zxdg_decoration_manager_v1_interface, 1));
    } else if (Is(pszInterface, wl_seat_interface)) {
        self->m_seats.emplace_back(new CWaylandSeat(self, pRegistry, nName, nVersion));
    } else if (Is(pszInterface, wl_output_interface)) {
        self->m_outputs.Bind(pRegistry, nName, nVersion);
    }
}

void CWaylandConnection::OnGlobalRemove(void* pData, wl_registry*, uint32_t nName)
{
    auto* self = static_cast<CWaylandConnection*>(pData);
    if (self->m_outputs.Remove(nName))
        return;
    const auto it = std::find_if(self->m_seats.begin(), self->m_seats.end(),
                                 [nName](const std::unique_ptr<CWaylandSeat>& p) { return p->GetName() == nName; });
    if (it == self->m_seats.end())
        return; // the globals we need are never taken away while a compositor runs
    (*it)->Leave();
    self->m_seats.erase(it);
}

void CWaylandConnection::OnWindowsOutputGone(wl_output* pOutput)
{
    for (CWaylandWindow* pWindow : m_windows)
        pWindow->OnOutputGone(pOutput);
}

libdecor* CWaylandConnection::GetDecor()
{
    if (!m_pDecor)
        m_pDecor = libdecor_new(m_pDisplay, &g_decorInterface);
    return m_pDecor;
}

BOOL CWaylandConnection::HasBounds() const
{
    return m_nWmBaseVersion >= XDG_TOPLEVEL_CONFIGURE_BOUNDS_SINCE_VERSION;
}

CWaylandWindow* CWaylandConnection::GetKeyboardFocus() const
{
    for (const auto& pSeat : m_seats) {
        if (pSeat->GetKeyboardFocus())
            return pSeat->GetKeyboardFocus();
    }
    return nullptr;
}

void CWaylandConnection::ShowPointer(BOOL bShow)
{
    for (const auto& pSeat : m_seats)
        pSeat->ShowPointer(bShow);
}

CWaylandWindow* CWaylandConnection::FindWindow(const wl_surface* pSurface) const
{
    for (CWaylandWindow* pWindow : m_windows) {
        if (pSurface && pWindow->GetSurface() == pSurface)
            return pWindow;
    }
    return nullptr;
}

CWaylandWindow* CWaylandConnection::GetActiveWindow() const
{
    CWaylandWindow* pLastShown = nullptr;
    for (CWaylandWindow* pWindow : m_windows) {
        if (pWindow->IsActivated())
            return pWindow;
        if (pWindow->IsShown())
            pLastShown = pWindow;
    }
    return pLastShown;
}

void CWaylandConnection::AddWindow(CWaylandWindow* pWindow)
{
    m_windows.push_back(pWindow);
}

void CWaylandConnection::RemoveWindow(CWaylandWindow* pWindow)
{
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), pWindow), m_windows.end());
    for (const auto& pSeat : m_seats)
        pSeat->OnWindowGone(pWindow);
}

void CWaylandConnection::Post(const AFX_INPUT& input) const
{
    m_post(input);
}
