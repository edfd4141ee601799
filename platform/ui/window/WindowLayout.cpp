// CUiTopWindow's size and place: the scale it draws at, the zoom the player
// chooses, fullscreen with the picture centred in black, the pointer hidden
// there, and a window kept wholly on its screen.
#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "platform/core/Clock.h"
#include "platform/ui/display/DeviceScale.h"
#include "platform/ui/display/DisplaySystem.h"
#include "platform/ui/display/ScreenFit.h"
#include "platform/ui/window/TopWindow.h"
#include "platform/ui/window/WindowSize.h"

namespace {

// Division rounded down, also for points left of and above the picture (a
// held button's moves).
int FloorDiv(int n, int d)
{
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}

} // namespace

BOOL CUiTopWindow::ApplyScale()
{
    int cx = 0;
    int cy = 0;
    int cxPixels = 0;
    int cyPixels = 0;
    m_pWindow->GetSize(&cx, &cy);
    m_pWindow->GetSizeInPixels(&cxPixels, &cyPixels);
    const int nBacking = cx > 0 ? std::max(1, cxPixels / cx) : 1;
    if (m_bFullscreen) {
        // The window is the screen: the picture goes in its middle, as large as it fits.
        const int nScale = AfxFitScale(cxPixels, cyPixels, m_cxClient, m_cyClient);
        const CPoint ptOrigin((cxPixels - m_cxClient * nScale) / 2, (cyPixels - m_cyClient * nScale) / 2);
        if (nScale == m_nScale && nBacking == m_nBacking && ptOrigin == m_ptOrigin)
            return FALSE;
        m_nScale = nScale;
        m_nBacking = nBacking;
        m_ptOrigin = ptOrigin;
        LosePicture();
        m_bBlackDue = TRUE;
        return TRUE;
    }
    DEVICESCALESOURCES sources = AfxDeviceScaleEnvironment();
    AfxGetDisplaySystem().GetScaleSources(m_pWindow.get(), &sources);
    sources.nKeptZoom = std::min(m_nKeptZoom, GetMaxZoom());
    const int nScale = m_nZoom > 0 ? m_nZoom : AfxGetDeviceScale(sources);
    const int cxWanted = m_cxClient * nScale / nBacking;
    const int cyWanted = m_cyClient * nScale / nBacking;
    const BOOL bSameSize = cx == cxWanted && cy == cyWanted;
    if (nScale == m_nScale && nBacking == m_nBacking && bSameSize && m_ptOrigin == CPoint(0, 0))
        return FALSE;
    m_nScale = nScale;
    m_nBacking = nBacking;
    m_ptOrigin = CPoint(0, 0);
    if (m_bShown)
        m_pWindow->SetFixedSize(cxWanted, cyWanted);
    m_pWindow->SetSize(cxWanted, cyWanted);
    // A window that grew may reach past its screen's edge.
    if (cxWanted > cx || cyWanted > cy)
        m_pWindow->KeepOnScreen(cxWanted, cyWanted, m_bShown);
    LosePicture();
    return TRUE;
}

CPoint CUiTopWindow::ClientPoint(int x, int y) const
{
    return CPoint(FloorDiv(x * m_nBacking - m_ptOrigin.x, m_nScale), FloorDiv(y * m_nBacking - m_ptOrigin.y, m_nScale));
}

int CUiTopWindow::GetMaxZoom() const
{
    const CRect rcWork = m_pWindow ? m_pWindow->GetWorkArea() : CRect(0, 0, 0, 0);
    if (rcWork.IsRectEmpty())
        return kMaxDeviceScale;
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    if (!m_pWindow->GetBordersSize(&top, &left, &bottom, &right))
        top = left = bottom = right = 0;
    return AfxFitScale((rcWork.Width() - left - right) * m_nBacking, (rcWork.Height() - top - bottom) * m_nBacking,
                       m_cxClient, m_cyClient);
}

BOOL CUiTopWindow::SetZoom(int nZoom)
{
    if (!m_pWindow || m_bFullscreen || nZoom < 0 || nZoom > GetMaxZoom())
        return FALSE;
    m_nZoom = nZoom;
    // Back to automatic: what an earlier run kept goes too.
    if (nZoom == 0)
        m_nKeptZoom = 0;
    if (ApplyScale())
        Invalidate(nullptr, TRUE);
    return TRUE;
}

void CUiTopWindow::SetKeptZoom(int nZoom)
{
    m_nKeptZoom = nZoom;
    if (m_pWindow && !m_bFullscreen && ApplyScale())
        Invalidate(nullptr, TRUE);
}

void CUiTopWindow::SetFullscreen(BOOL bFullscreen)
{
    if (!m_pWindow || !bFullscreen == !m_bFullscreen)
        return;
    m_bFullscreen = bFullscreen;
    CDisplaySystem& display = AfxGetDisplaySystem();
    // The size the window manager gives comes as a size change; the scale follows it there.
    m_pWindow->SetFullscreen(bFullscreen);
    if (bFullscreen) {
        m_pointerHideDue = AfxGetClock().GetTickCount() + kPointerHideMs;
    } else {
        m_pointerHideDue = kNever;
        display.ShowPointer(TRUE);
    }
    ApplyScale();
    LosePicture();
    Invalidate(nullptr, TRUE);
}

void CUiTopWindow::NotePointerMotion()
{
    if (!m_bFullscreen)
        return;
    if (m_pointerHideDue == kNever)
        AfxGetDisplaySystem().ShowPointer(TRUE);
    m_pointerHideDue = AfxGetClock().GetTickCount() + kPointerHideMs;
}

BOOL CUiTopWindow::HidePointerIfDue(ULONGLONG now)
{
    if (m_pointerHideDue == kNever || now < m_pointerHideDue)
        return FALSE;
    m_pointerHideDue = kNever;
    AfxGetDisplaySystem().ShowPointer(FALSE);
    return TRUE;
}

SDL_Surface* CUiTopWindow::MakePicture(SDL_Surface* pSurface)
{
    if (!pSurface || m_ptOrigin == CPoint(0, 0))
        return pSurface;
    const int cx = m_cxClient * m_nScale;
    const int cy = m_cyClient * m_nScale;
    if (m_ptOrigin.x < 0 || m_ptOrigin.y < 0 || m_ptOrigin.x + cx > pSurface->w || m_ptOrigin.y + cy > pSurface->h)
        return pSurface;
    if (m_bBlackDue)
        SDL_FillRect(pSurface, nullptr, SDL_MapRGB(pSurface->format, 0, 0, 0));
    Uint8* pPixels = static_cast<Uint8*>(pSurface->pixels) + m_ptOrigin.y * pSurface->pitch + m_ptOrigin.x * 4;
    // The same pixels, seen as a surface of the picture's size: the painting
    // above draws at (0, 0) as in a window.
    return SDL_CreateRGBSurfaceWithFormatFrom(pPixels, cx, cy, 32, pSurface->pitch, pSurface->format->format);
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
