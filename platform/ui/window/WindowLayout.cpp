// CUiTopWindow's size and place (CWindowPlacement), as the window and the
// program change them: the zoom, the zoom kept from an earlier run, fullscreen.
#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "platform/core/Clock.h"
#include "platform/ui/display/DeviceScale.h"
#include "platform/ui/window/TopWindow.h"
#include "platform/ui/window/WindowSize.h"

BOOL CUiTopWindow::ApplyScale()
{
    if (!m_placement.Apply(m_pWindow.get(), m_bShown))
        return FALSE;
    m_picture.Lose();
    return TRUE;
}

CPoint CUiTopWindow::ClientPoint(int x, int y) const
{
    return m_placement.ClientPoint(x, y);
}

int CUiTopWindow::GetMaxZoom() const
{
    return m_placement.GetMaxZoom(m_pWindow.get());
}

BOOL CUiTopWindow::SetZoom(int nZoom)
{
    if (!m_pWindow || !m_placement.CanZoom(nZoom, m_pWindow.get()))
        return FALSE;
    m_placement.SetZoom(nZoom);
    if (ApplyScale())
        Invalidate(nullptr, TRUE);
    return TRUE;
}

void CUiTopWindow::SetKeptZoom(int nZoom)
{
    m_placement.SetKeptZoom(nZoom);
    if (m_pWindow && !IsFullscreen() && ApplyScale())
        Invalidate(nullptr, TRUE);
}

void CUiTopWindow::SetFullscreen(BOOL bFullscreen)
{
    if (!m_pWindow || !bFullscreen == !IsFullscreen())
        return;
    m_placement.SetFullscreen(bFullscreen);
    // The size the window manager gives comes as a size change; the scale follows it there.
    m_pWindow->SetFullscreen(bFullscreen);
    m_pointer.SetFullscreen(bFullscreen, AfxGetClock().GetTickCount());
    ApplyScale();
    m_picture.Lose();
    Invalidate(nullptr, TRUE);
}

BOOL AfxIsFullscreen(CWnd* pWnd)
{
    CUiTopWindow* pTop = AfxUiTopWindow(pWnd);
    return pTop && pTop->IsFullscreen();
}

void AfxSetFullscreen(CWnd* pWnd, BOOL bFullscreen)
{
    if (CUiTopWindow* pTop = AfxUiTopWindow(pWnd))
        pTop->SetFullscreen(bFullscreen);
}

BOOL AfxStepWindowZoom(CWnd* pWnd, int nStep, int* pnZoom)
{
    CUiTopWindow* pTop = AfxUiTopWindow(pWnd);
    if (!pTop || pTop->IsFullscreen())
        return FALSE;
    const int nZoom = nStep == 0 ? 0 : std::clamp(pTop->GetScale() + nStep, 1, pTop->GetMaxZoom());
    // At 1, or at the largest: nothing changes, nothing to keep.
    if (nStep != 0 && nZoom == pTop->GetScale())
        return FALSE;
    if (!pTop->SetZoom(nZoom))
        return FALSE;
    *pnZoom = nZoom;
    return TRUE;
}

void AfxSetKeptWindowZoom(CWnd* pWnd, int nZoom)
{
    if (nZoom < 0 || nZoom > kMaxDeviceScale) {
        std::fprintf(stderr, "%s: a kept zoom of %d is no whole scale from 1 to %d; the automatic scale is used\n",
                     program_invocation_short_name, nZoom, kMaxDeviceScale);
        return;
    }
    if (CUiTopWindow* pTop = AfxUiTopWindow(pWnd))
        pTop->SetKeptZoom(nZoom);
}
