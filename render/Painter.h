// The drawing primitives of every screen: an outlined, filled rectangle, one
// line of centred text and one line of left-aligned text in a face of the
// caller's choice, on a DC that the caller owns. Each call creates
// the pen, brush or font it needs and deletes it before it returns, and gives
// the DC back its pen, brush, font and text colour. Three attributes stay as
// the primitives leave them: after DrawRect the background colour is black and
// the raster operation R2_COPYPEN; after DrawString the background mode is
// TRANSPARENT.
#pragma once

#include "platform/core/Rect.h"
#include "platform/core/String.h"
#include "platform/gdi/Dc.h"

class CPainter {
public:
    explicit CPainter(CDC* pDC);
    CPainter(const CPainter&) = delete;
    CPainter& operator=(const CPainter&) = delete;
    virtual ~CPainter();

    // Outline in penColour on columns left .. right-1 and rows top .. bottom-1,
    // the inside in fillColour.
    void DrawRect(int left, int top, int right, int bottom, COLORREF penColour, COLORREF fillColour);
    // text in one line, centred in rc and cut at its edges; pointSize in tenths of a point.
    void DrawString(CRect rc, CString text, int pointSize, COLORREF colour);
    // text in one line from rc's left edge, centred upright, in face pszFace.
    void DrawLabel(CRect rc, CString text, const char* pszFace, int pointSize, COLORREF colour);

    CDC* m_pDC; // not owned; outlives the painter

private:
    void DrawLine(CRect rc, const CString& text, const char* pszFace, int pointSize, COLORREF colour, UINT nFormat);
};

// A pen and a brush put into a DC for one DrawRect; going out of scope puts the
// DC's earlier pen and brush back, deletes both and leaves R2_COPYPEN.
class CGdiSelection {
public:
    explicit CGdiSelection(CDC* pDC);
    CGdiSelection(const CGdiSelection&) = delete;
    CGdiSelection& operator=(const CGdiSelection&) = delete;
    virtual ~CGdiSelection();

    CBrush* m_pOldBrush; // what SelectObject returned for m_brush
    CPen* m_pOldPen;     // what SelectObject returned for m_pen
    CBrush m_brush;
    CPen m_pen;
    CDC* m_pDC; // not owned
};
