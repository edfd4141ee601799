// CWaylandConnection's part in the message loop's sleep: one read of the
// socket prepared per sleep and then read or cancelled, never both.
#include <libdecor.h>
#include <poll.h>
#include <wayland-client.h>

#include <cerrno>
#include <cstdio>

#include "platform/ui/display/wayland/WaylandConnection.h"

void CWaylandConnection::CancelRead()
{
    m_bReading = FALSE;
    wl_display_cancel_read(m_pDisplay);
}

BOOL CWaylandConnection::PrepareWait(int* pFd, short* pnEvents)
{
    *pFd = -1;
    *pnEvents = POLLIN;
    if (IsLost())
        return FALSE; // the display system ends the program
    // libdecor's plugin may have work of its own (GTK's main loop); it reads and dispatches what waits.
    BOOL bCame = FALSE;
    if (m_pDecor && libdecor_dispatch(m_pDecor, 0) > 0)
        bCame = TRUE;
    if (IsLost())
        return FALSE;
    // Events read into the queue (during a roundtrip, by libdecor) are dispatched before we sleep.
    while (wl_display_prepare_read(m_pDisplay) != 0) {
        if (wl_display_dispatch_pending(m_pDisplay) < 0)
            return FALSE; // no read prepared; lost from now on
        bCame = TRUE;
    }
    m_bReading = TRUE;
    if (bCame) {
        CancelRead();
        return FALSE;
    }
    // Requests not yet sent may be what the compositor's answer waits for.
    // EAGAIN: the socket is full, the rest goes when it can take more. EPIPE:
    // the compositor closed its end, but what it sent before is still to be read.
    if (wl_display_flush(m_pDisplay) < 0 && errno == EAGAIN)
        *pnEvents |= POLLOUT;
    if (IsLost()) {
        CancelRead();
        return FALSE;
    }
    *pFd = wl_display_get_fd(m_pDisplay);
    return TRUE;
}

void CWaylandConnection::FinishWait(short nRevents)
{
    if (m_bReading) {
        // A hang-up is read too: the read fails and the connection counts as lost.
        if (nRevents & (POLLIN | POLLHUP | POLLERR)) {
            m_bReading = FALSE;
            wl_display_read_events(m_pDisplay);
        } else {
            CancelRead();
        }
    }
    // A failure here makes IsLost true, which the display system reads next.
    wl_display_dispatch_pending(m_pDisplay);
}

void CWaylandConnection::Roundtrip()
{
    wl_display_roundtrip(m_pDisplay);
}

BOOL CWaylandConnection::IsLost() const
{
    return wl_display_get_error(m_pDisplay) != 0;
}

std::string CWaylandConnection::GetProtocolError() const
{
    if (wl_display_get_error(m_pDisplay) != EPROTO)
        return std::string();
    const wl_interface* pInterface = nullptr;
    uint32_t nId = 0;
    const uint32_t nCode = wl_display_get_protocol_error(m_pDisplay, &pInterface, &nId);
    char sz[160];
    std::snprintf(sz, sizeof(sz), "%s@%u error %u", pInterface ? pInterface->name : "unknown object", nId, nCode);
    return sz;
}
