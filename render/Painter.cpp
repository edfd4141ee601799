#include "render/Painter.h"

#include "render/Palette.h"

namespace {
constexpr int kPenWidth = 1;
constexpr COLORREF kBackground = RGB(0, 0, 0);
constexpr UINT kTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr UINT kLabelFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
} // namespace

CPainter::CPainter(CDC* pDC) : m_pDC(pDC)
{
}

CPainter::~CPainter() = default;

void CPainter::DrawRect(int left, int top, int right, int bottom, COLORREF penColour, COLORREF fillColour)
{
    CGdiSelection selection(m_pDC);
    m_pDC->SetBkColor(kBackground);
    selection.m_pen.Attach(::CreatePen(PS_SOLID, kPenWidth, penColour));
    selection.m_brush.Attach(::CreateSolidBrush(fillColour));
    selection.m_pOldPen = m_pDC->SelectObject(&selection.m_pen);
    selection.m_pOldBrush = m_pDC->SelectObject(&selection.m_brush);
    m_pDC->Rectangle(left, top, right, bottom);
}

void CPainter::DrawString(CRect rc, CString text, int pointSize, COLORREF colour)
{
    DrawLine(rc, text, palette::kScreenFaceName, pointSize, colour, kTextFormat);
}

void CPainter::DrawLabel(CRect rc, CString text, const char* pszFace, int pointSize, COLORREF colour)
{
    DrawLine(rc, text, pszFace, pointSize, colour, kLabelFormat);
}

void CPainter::DrawLine(CRect rc, const CString& text, const char* pszFace, int pointSize, COLORREF colour,
                        UINT nFormat)
{
    CFont font;
    font.CreatePointFont(pointSize, pszFace, NULL);
    CFont* pOldFont = m_pDC->SelectObject(&font);
    const COLORREF oldColour = m_pDC->SetTextColor(colour);
    m_pDC->SetBkMode(TRANSPARENT);
    m_pDC->DrawText(text, text.GetLength(), &rc, nFormat);
    m_pDC->SetTextColor(oldColour);
    m_pDC->SelectObject(pOldFont);
    font.DeleteObject();
}

CGdiSelection::CGdiSelection(CDC* pDC) : m_pOldBrush(nullptr), m_pOldPen(nullptr), m_pDC(pDC)
{
}

CGdiSelection::~CGdiSelection()
{
    m_pDC->SelectObject(m_pOldPen);
    m_pDC->SelectObject(m_pOldBrush);
    m_pen.DeleteObject();
    m_brush.DeleteObject();
    m_pDC->SetROP2(R2_COPYPEN);
}
