#include "platform/ui/display/wayland/WaylandConnection.h"

#include <libdecor.h>
#include <poll.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/ui/display/wayland/WaylandSeat.h"
#include "platform/ui/display/wayland/WaylandWindow.h"
#include "xdg-decoration-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

namespace {

// Version 4 damages buffers in pixels; 3 has the buffer scale.
constexpr uint32_t kCompositorVersion = 4;
constexpr uint32_t kMinCompositorVersion = 3;
// Version 5 has the wheel's discrete steps and the pointer's frame.
constexpr uint32_t kSeatVersion = 5;
constexpr uint32_t kOutputVersion = 2;

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

} // namespace

std::unique_ptr<CWaylandConnection> CWaylandConnection::Connect()
{
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
    : m_pDisplay(pDisplay), m_post([](const SDL_Event& event) { SDL_PushEvent(const_cast<SDL_Event*>(&event)); })
{
    static const wl_registry_listener listener = {OnGlobal, OnGlobalRemove};
    m_pRegistry = wl_display_get_registry(pDisplay);
    wl_registry_add_listener(m_pRegistry, &listener, this);
}

CWaylandConnection::~CWaylandConnection()
{
    m_pSeat.reset();
    if (m_pDecor)
        libdecor_unref(m_pDecor);
    for (const OUTPUT& output : m_outputs)
        wl_output_destroy(output.pOutput);
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
    const auto bind = [&](const wl_interface* pInterface, uint32_t nWanted) {
        return wl_registry_bind(pRegistry, nName, pInterface, std::min(nVersion, nWanted));
    };
    if (std::strcmp(pszInterface, wl_compositor_interface.name) == 0 && nVersion >= kMinCompositorVersion) {
        self->m_nCompositorVersion = std::min(nVersion, kCompositorVersion);
        self->m_pCompositor = static_cast<wl_compositor*>(bind(&wl_compositor_interface, kCompositorVersion));
    } else if (std::strcmp(pszInterface, wl_shm_interface.name) == 0) {
        self->m_pShm = static_cast<wl_shm*>(bind(&wl_shm_interface, 1));
    } else if (std::strcmp(pszInterface, xdg_wm_base_interface.name) == 0) {
        self->m_pWmBase = static_cast<xdg_wm_base*>(bind(&xdg_wm_base_interface, 1));
        xdg_wm_base_add_listener(self->m_pWmBase, &kWmBaseListener, nullptr);
    } else if (std::strcmp(pszInterface, zxdg_decoration_manager_v1_interface.name) == 0) {
        self->m_pDecorationManager =
            static_cast<zxdg_decoration_manager_v1*>(bind(&zxdg_decoration_manager_v1_interface, 1));
    } else if (std::strcmp(pszInterface, wl_seat_interface.name) == 0 && !self->m_pSeat) {
        // One seat: a game has one player at the keyboard and the mouse.
        self->m_pSeat.reset(new CWaylandSeat(self, static_cast<wl_seat*>(bind(&wl_seat_interface, kSeatVersion))));
    } else if (std::strcmp(pszInterface, wl_output_interface.name) == 0 && nVersion >= kOutputVersion) {
        auto* pOutput = static_cast<wl_output*>(bind(&wl_output_interface, kOutputVersion));
        static const wl_output_listener listener = {
            OnOutputGeometry,
            OnOutputMode,
            [](void* p, wl_output*) {
                // The output's properties are complete: windows on it may need another scale.
                for (CWaylandWindow* pWindow : static_cast<CWaylandConnection*>(p)->m_windows)
                    pWindow->OnOutputsChanged();
            },
            OnOutputScale,
            [](void*, wl_output*, const char*) {},
            [](void*, wl_output*, const char*) {}};
        wl_output_add_listener(pOutput, &listener, self);
        self->m_outputs.push_back(OUTPUT{pOutput, nName, 1, 0, 0, FALSE});
    }
}

void CWaylandConnection::OnOutputScale(void* pData, wl_output* pOutput, int32_t nFactor)
{
    for (OUTPUT& output : static_cast<CWaylandConnection*>(pData)->m_outputs) {
        if (output.pOutput == pOutput)
            output.nScale = std::max(1, int(nFactor));
    }
}

void CWaylandConnection::OnOutputGeometry(void* pData, wl_output* pOutput, int32_t, int32_t, int32_t, int32_t,
                                          int32_t, const char*, const char*, int32_t nTransform)
{
    for (OUTPUT& output : static_cast<CWaylandConnection*>(pData)->m_outputs) {
        if (output.pOutput == pOutput)
            output.bTurned = (nTransform & 1) != 0; // 90 and 270 degrees, flipped or not
    }
}

void CWaylandConnection::OnOutputMode(void* pData, wl_output* pOutput, uint32_t nFlags, int32_t cx, int32_t cy,
                                      int32_t)
{
    if (!(nFlags & WL_OUTPUT_MODE_CURRENT))
        return;
    for (OUTPUT& output : static_cast<CWaylandConnection*>(pData)->m_outputs) {
        if (output.pOutput == pOutput) {
            output.cxMode = cx;
            output.cyMode = cy;
        }
    }
}

void CWaylandConnection::OnGlobalRemove(void* pData, wl_registry*, uint32_t nName)
{
    auto* self = static_cast<CWaylandConnection*>(pData);
    const auto it = std::find_if(self->m_outputs.begin(), self->m_outputs.end(),
                                 [nName](const OUTPUT& output) { return output.nName == nName; });
    if (it == self->m_outputs.end())
        return;
    wl_output* pGone = it->pOutput;
    self->m_outputs.erase(it);
    for (CWaylandWindow* pWindow : self->m_windows)
        pWindow->OnOutputGone(pGone);
    wl_output_destroy(pGone);
}

libdecor* CWaylandConnection::GetDecor()
{
    if (!m_pDecor)
        m_pDecor = libdecor_new(m_pDisplay, &g_decorInterface);
    return m_pDecor;
}

int CWaylandConnection::GetOutputScale(const wl_output* pOutput) const
{
    for (const OUTPUT& output : m_outputs) {
        if (output.pOutput == pOutput)
            return output.nScale;
    }
    return 1;
}

CRect CWaylandConnection::GetOutputArea(const wl_output* pOutput) const
{
    const OUTPUT* pFound = nullptr;
    for (const OUTPUT& output : m_outputs) {
        if (output.pOutput == pOutput || (!pOutput && !pFound))
            pFound = &output;
    }
    if (!pFound || pFound->cxMode <= 0 || pFound->cyMode <= 0)
        return CRect(0, 0, 0, 0);
    const int cx = (pFound->bTurned ? pFound->cyMode : pFound->cxMode) / pFound->nScale;
    const int cy = (pFound->bTurned ? pFound->cxMode : pFound->cyMode) / pFound->nScale;
    return CRect(0, 0, cx, cy);
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
    if (m_pSeat)
        m_pSeat->OnWindowGone(pWindow);
}

void CWaylandConnection::Post(const SDL_Event& event) const
{
    m_post(event);
}

void CWaylandConnection::Dispatch()
{
    if (wl_display_dispatch_pending(m_pDisplay) < 0)
        return; // IsLost says so from now on
}

BOOL CWaylandConnection::PrepareWait(int* pFd)
{
    *pFd = -1;
    BOOL bCame = FALSE;
    // Events read into the queue (during a roundtrip, by libdecor) are dispatched before we sleep.
    while (wl_display_prepare_read(m_pDisplay) != 0) {
        if (wl_display_dispatch_pending(m_pDisplay) < 0)
            return TRUE;
        bCame = TRUE;
    }
    // After the events: a release among them stops the repeat first.
    if (m_pSeat && m_pSeat->RepeatKeys())
        bCame = TRUE;
    if (bCame) {
        wl_display_cancel_read(m_pDisplay);
        return FALSE;
    }
    // Requests not yet sent may be what the compositor's answer waits for.
    if (wl_display_flush(m_pDisplay) < 0 && errno != EAGAIN) {
        wl_display_cancel_read(m_pDisplay);
        return TRUE;
    }
    *pFd = wl_display_get_fd(m_pDisplay);
    return TRUE;
}

void CWaylandConnection::FinishWait(short nRevents)
{
    // A hang-up is read too: the read fails and the connection counts as lost.
    if (nRevents & (POLLIN | POLLHUP | POLLERR))
        wl_display_read_events(m_pDisplay);
    else
        wl_display_cancel_read(m_pDisplay);
    Dispatch();
    if (m_pSeat)
        m_pSeat->RepeatKeys();
}

void CWaylandConnection::Roundtrip()
{
    wl_display_roundtrip(m_pDisplay);
}

int CWaylandConnection::GetSleepLimit() const
{
    return m_pSeat ? m_pSeat->GetRepeatDelay() : -1;
}

BOOL CWaylandConnection::IsLost() const
{
    return wl_display_get_error(m_pDisplay) != 0;
}
