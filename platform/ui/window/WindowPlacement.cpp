#include "platform/ui/window/WindowPlacement.h"

#include <algorithm>

#include "platform/ui/display/DeviceScale.h"
#include "platform/ui/display/DisplaySystem.h"
#include "platform/ui/display/NativeWindow.h"
#include "platform/ui/display/ScreenFit.h"

namespace {

// Division rounded down, also for points left of and above the picture (a
// held button's moves).
int FloorDiv(int n, int d)
{
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}

} // namespace

BOOL CWindowPlacement::Apply(CNativeWindow* pWindow, BOOL bShown)
{
    int cx = 0;
    int cy = 0;
    int cxPixels = 0;
    int cyPixels = 0;
    pWindow->GetSize(&cx, &cy);
    pWindow->GetSizeInPixels(&cxPixels, &cyPixels);
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
        m_bBlackDue = TRUE;
        return TRUE;
    }
    DEVICESCALESOURCES sources = AfxDeviceScaleEnvironment();
    AfxGetDisplaySystem().GetScaleSources(pWindow, &sources);
    sources.nKeptZoom = std::min(m_nKeptZoom, GetMaxZoom(pWindow));
    const int nScale = m_nZoom > 0 ? m_nZoom : AfxGetDeviceScale(sources);
    const int cxWanted = m_cxClient * nScale / nBacking;
    const int cyWanted = m_cyClient * nScale / nBacking;
    const BOOL bSameSize = cx == cxWanted && cy == cyWanted;
    if (nScale == m_nScale && nBacking == m_nBacking && bSameSize && m_ptOrigin == CPoint(0, 0))
        return FALSE;
    m_nScale = nScale;
    m_nBacking = nBacking;
    m_ptOrigin = CPoint(0, 0);
    if (bShown)
        pWindow->SetFixedSize(cxWanted, cyWanted);
    pWindow->SetSize(cxWanted, cyWanted);
    // A window that grew may reach past its screen's edge.
    if (cxWanted > cx || cyWanted > cy)
        pWindow->KeepOnScreen(cxWanted, cyWanted, bShown);
    return TRUE;
}

CPoint CWindowPlacement::ClientPoint(int x, int y) const
{
    return CPoint(FloorDiv(x * m_nBacking - m_ptOrigin.x, m_nScale), FloorDiv(y * m_nBacking - m_ptOrigin.y, m_nScale));
}

int CWindowPlacement::GetMaxZoom(const CNativeWindow* pWindow) const
{
    const CRect rcWork = pWindow ? pWindow->GetWorkArea() : CRect(0, 0, 0, 0);
    if (rcWork.IsRectEmpty())
        return kMaxDeviceScale;
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    if (!pWindow->GetBordersSize(&top, &left, &bottom, &right))
        top = left = bottom = right = 0;
    return AfxFitScale((rcWork.Width() - left - right) * m_nBacking, (rcWork.Height() - top - bottom) * m_nBacking,
                       m_cxClient, m_cyClient);
}

BOOL CWindowPlacement::CanZoom(int nZoom, const CNativeWindow* pWindow) const
{
    return !m_bFullscreen && nZoom >= 0 && nZoom <= GetMaxZoom(pWindow);
}

void CWindowPlacement::SetZoom(int nZoom)
{
    m_nZoom = nZoom;
    // Back to automatic: what an earlier run kept goes too.
    if (nZoom == 0)
        m_nKeptZoom = 0;
}

SDL_Surface* CWindowPlacement::MakePicture(SDL_Surface* pSurface) const
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
