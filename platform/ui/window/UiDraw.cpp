#include "platform/ui/window/UiDraw.h"

#include <algorithm>

#include "platform/gdi/Colour.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiData.h"
#include "platform/gdi/PadGlyph.h"
#include "platform/gdi/Raster.h"

namespace {

// A DC over the surface with the font selected and the text colour set.
class CUiTextDC {
public:
    CUiTextDC(SDL_Surface* pSurface, const UIFONT& font, COLORREF colour, int nScale)
    {
        m_dc.Attach(AfxCreateSurfaceDC(pSurface, nScale));
        m_font.CreatePointFont(font.nPointSize, font.strFace);
        m_pOldFont = m_dc.SelectObject(&m_font);
        m_dc.SetTextColor(colour);
        m_dc.SetBkMode(TRANSPARENT);
    }
    ~CUiTextDC()
    {
        if (m_pOldFont)
            m_dc.SelectObject(m_pOldFont);
    }
    CDC& DC() { return m_dc; }

private:
    CDC m_dc;
    CFont m_font;
    CFont* m_pOldFont = nullptr;
};

} // namespace

void AfxDrawCheckMark(SDL_Surface* pSurface, int x, int y, COLORREF colour, int nScale)
{
    // Each column of the tick is three pixels tall, from the top row given here.
    static const int kColumnTops[] = {2, 3, 4, 3, 2, 1, 0};
    for (int i = 0; i < 7; ++i) {
        const RECT rc{x + i, y + kColumnTops[i], x + i + 1, y + kColumnTops[i] + 3};
        AfxFillSolid(pSurface, rc, colour, nScale);
    }
}

void AfxFillSolid(SDL_Surface* pSurface, const RECT& rc, COLORREF colour, int nScale)
{
    AfxFillLogicalRect(pSurface, AfxClampScale(nScale), rc.left, rc.top, rc.right, rc.bottom, colour);
}

void AfxDraw3dFrame(SDL_Surface* pSurface, const RECT& rc, COLORREF crTopLeft, COLORREF crBottomRight, int nScale)
{
    AfxFillSolid(pSurface, CRect(rc.left, rc.top, rc.right - 1, rc.top + 1), crTopLeft, nScale);
    AfxFillSolid(pSurface, CRect(rc.left, rc.top, rc.left + 1, rc.bottom - 1), crTopLeft, nScale);
    AfxFillSolid(pSurface, CRect(rc.left, rc.bottom - 1, rc.right, rc.bottom), crBottomRight, nScale);
    AfxFillSolid(pSurface, CRect(rc.right - 1, rc.top, rc.right, rc.bottom), crBottomRight, nScale);
}

void AfxDrawIconImage(SDL_Surface* pSurface, int x, int y, HICON hIcon, int nSize, int nScale)
{
    const ICONIMAGEDATA* pImage = AfxIconImage(hIcon, nSize);
    if (!pSurface || !pImage)
        return;
    for (int row = 0; row < pImage->nHeight; ++row) {
        for (int col = 0; col < pImage->nWidth; ++col) {
            const COLORREF colour = pImage->pPalette[AfxIconPixel(pImage, col, row)];
            AfxFillSolid(pSurface, CRect(x + col, y + row, x + col + 1, y + row + 1), colour, nScale);
        }
    }
}

void AfxDrawPadButton(SDL_Surface* pSurface, int x, int y, EPadLabel label, int nScale)
{
    if (!pSurface || label == EPadLabel::kNone)
        return;
    CDC dc;
    dc.Attach(AfxCreateSurfaceDC(pSurface, nScale));
    AfxDrawPadGlyph(&dc, x, y, label);
}

void AfxDrawUiText(SDL_Surface* pSurface, const UIFONT& font, const CString& text, RECT rc, UINT nFormat,
                   COLORREF colour, int nScale)
{
    if (!pSurface || text.IsEmpty())
        return;
    CUiTextDC dc(pSurface, font, colour, nScale);
    dc.DC().DrawText(text, &rc, nFormat | DT_SINGLELINE);
}

CRect AfxUiTextExtent(const UIFONT& font, const CString& text)
{
    // Measuring draws nothing: any surface will do.
    static SDL_Surface* pScratch = SDL_CreateRGBSurfaceWithFormat(0, 1, 1, 32, kPixelFormat);
    CRect rc(0, 0, 0, 0);
    if (!pScratch || text.IsEmpty())
        return rc;
    CUiTextDC dc(pScratch, font, 0, 1);
    dc.DC().DrawText(text, &rc, DT_SINGLELINE | DT_CALCRECT);
    return CRect(0, 0, std::max<LONG>(rc.right - rc.left, 0), std::max<LONG>(rc.bottom - rc.top, 0));
}
