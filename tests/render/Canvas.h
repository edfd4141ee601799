// What the rendering tests draw into and read back: a memory DC over a bitmap,
// read pixel by pixel through the DC. No display is involved. A canvas at a
// device scale stands in for a window DC of that scale; its sizes and
// coordinates stay logical.
#pragma once

#include <algorithm>
#include <functional>

#include "platform/core/Rect.h"
#include "platform/gdi/Dc.h"

class CCanvas {
public:
    CCanvas(int nWidth, int nHeight, int nScale = 1) : m_nWidth(nWidth), m_nHeight(nHeight)
    {
        dc.Attach(AfxCreateScaledDC(nScale));
        bmp.CreateCompatibleBitmap(&dc, nWidth, nHeight);
        dc.SelectObject(&bmp);
    }
    ~CCanvas() { dc.SelectObject(static_cast<CBitmap*>(nullptr)); }

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    CRect Bounds() const { return CRect(0, 0, m_nWidth, m_nHeight); }

    // Paints every pixel in colour, so that a test can see what a drawing leaves alone.
    void Fill(COLORREF colour)
    {
        for (int y = 0; y < m_nHeight; ++y)
            for (int x = 0; x < m_nWidth; ++x)
                dc.SetPixel(x, y, colour);
    }

    COLORREF At(int x, int y) const { return dc.GetPixel(x, y); }

    // How many pixels of rc satisfy the test.
    int Count(const CRect& rc, const std::function<bool(COLORREF)>& test) const
    {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                n += test(At(x, y)) ? 1 : 0;
        return n;
    }
    int Count(const CRect& rc, COLORREF colour) const
    {
        return Count(rc, [colour](COLORREF c) { return c == colour; });
    }
    bool All(const CRect& rc, COLORREF colour) const { return Count(rc, colour) == rc.Width() * rc.Height(); }

    // The smallest rectangle around the pixels of rc that differ from background.
    CRect Extent(const CRect& rc, COLORREF background) const
    {
        CRect box(rc.right, rc.bottom, rc.left, rc.top);
        for (int y = rc.top; y < rc.bottom; ++y) {
            for (int x = rc.left; x < rc.right; ++x) {
                if (At(x, y) == background)
                    continue;
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
        }
        return box.left < box.right ? box : CRect();
    }

    CDC dc;
    CBitmap bmp;

private:
    int m_nWidth;
    int m_nHeight;
};
