#include "platform/ui/window/PaintDC.h"

#include "platform/gdi/GdiData.h"
#include "platform/ui/display/DeviceScale.h"
#include "platform/ui/window/SystemMetrics.h"
#include "platform/ui/window/TopWindow.h"

namespace {

SDL_Surface* TargetOf(CWnd* pWnd)
{
    CUiTopWindow* pTop = AfxUiTopWindow(pWnd);
    return pTop ? pTop->GetPaintSurface() : nullptr;
}

} // namespace

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps{nullptr, FALSE, {0, 0, 0, 0}}, m_pWnd(pWnd)
{
    CUiTopWindow* pTop = AfxUiTopWindow(pWnd);
    if (!pTop)
        return;
    SDL_Surface* pSurface = pTop->BeginPaint(&m_ps.fErase);
    if (pSurface) {
        const int nScale = pTop->GetScale();
        Attach(AfxCreateSurfaceDC(pSurface, nScale));
        ::SetRect(&m_ps.rcPaint, 0, 0, pSurface->w / nScale, pSurface->h / nScale);
    }
    m_ps.hdc = m_hDC;
    if (m_ps.fErase && m_hDC)
        pWnd->SendMessage(WM_ERASEBKGND, WPARAM(m_hDC), 0);
}

CPaintDC::~CPaintDC()
{
    DeleteDC();
    if (CUiTopWindow* pTop = AfxUiTopWindow(m_pWnd))
        pTop->EndPaint();
}

BOOL CPaintDC::KeepsPicture(const std::vector<int>& key)
{
    CUiTopWindow* pTop = AfxUiTopWindow(m_pWnd);
    return pTop && m_hDC && pTop->PaintKeepsPicture(key);
}

BOOL CPaintDC::DrawIcon(int x, int y, HICON hIcon)
{
    SDL_Surface* pSurface = m_hDC ? TargetOf(m_pWnd) : nullptr;
    if (!pSurface || !hIcon)
        return FALSE;
    AfxDrawIconImage(pSurface, x, y, hIcon, GetSystemMetrics(SM_CXICON), AfxGetDCScale(m_hDC));
    return TRUE;
}
