#include "platform/gdi/PadGlyph.h"

#include <cstdlib>

#include "platform/gdi/Font.h"

namespace {

constexpr COLORREF kXboxGreen = RGB(16, 124, 16);
constexpr COLORREF kXboxRed = RGB(220, 32, 40);
constexpr COLORREF kDarkDisc = RGB(48, 48, 48);
constexpr COLORREF kCrossBlue = RGB(124, 178, 232);
constexpr COLORREF kCircleRed = RGB(255, 102, 102);
constexpr COLORREF kLetter = RGB(255, 255, 255);
constexpr const char* kLetterFace = "ＭＳ ゴシック";
constexpr int kLetterPointSize = 80;

// Pixel centres are measured from the glyph's centre in half pixels, so that
// an odd size has a pixel on the centre and every shape stays symmetric.
constexpr int kHalf = kPadGlyphSize; // twice the radius, in half pixels

int Offset(int i)
{
    return 2 * i + 1 - kHalf;
}

bool InDisc(int u, int v)
{
    return u * u + v * v <= kHalf * kHalf;
}

// The cross: both diagonals, two pixels thick, within the middle of the disc.
bool OnCross(int u, int v)
{
    const int nReach = 8; // half pixels from the centre
    const int nArm = 2;
    return u >= -nReach && u <= nReach && v >= -nReach && v <= nReach &&
           (std::abs(u - v) <= nArm || std::abs(u + v) <= nArm);
}

// The circle: a ring about two pixels wide.
bool OnRing(int u, int v)
{
    const int r2 = u * u + v * v;
    return r2 >= 5 * 5 && r2 <= 9 * 9;
}

COLORREF DiscColour(EPadLabel label)
{
    switch (label) {
    case EPadLabel::kXboxA:
        return kXboxGreen;
    case EPadLabel::kXboxB:
        return kXboxRed;
    default:
        return kDarkDisc;
    }
}

const char* Letter(EPadLabel label)
{
    switch (label) {
    case EPadLabel::kXboxA:
    case EPadLabel::kNintendoA:
        return "A";
    case EPadLabel::kXboxB:
    case EPadLabel::kNintendoB:
        return "B";
    default:
        return nullptr;
    }
}

void DrawLetter(CDC* pDC, int x, int y, const char* pszLetter)
{
    CFont font;
    font.CreatePointFont(kLetterPointSize, kLetterFace);
    CFont* pOldFont = pDC->SelectObject(&font);
    const COLORREF oldColour = pDC->SetTextColor(kLetter);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    RECT rc{x, y, x + kPadGlyphSize, y + kPadGlyphSize};
    pDC->DrawText(pszLetter, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(oldColour);
    pDC->SelectObject(pOldFont);
}

} // namespace

void AfxDrawPadGlyph(CDC* pDC, int x, int y, EPadLabel label)
{
    if (!pDC || label == EPadLabel::kNone)
        return;
    const COLORREF disc = DiscColour(label);
    for (int row = 0; row < kPadGlyphSize; ++row) {
        for (int col = 0; col < kPadGlyphSize; ++col) {
            const int u = Offset(col);
            const int v = Offset(row);
            if (!InDisc(u, v))
                continue;
            COLORREF colour = disc;
            if (label == EPadLabel::kCross && OnCross(u, v))
                colour = kCrossBlue;
            else if (label == EPadLabel::kCircle && OnRing(u, v))
                colour = kCircleRed;
            pDC->SetPixel(x + col, y + row, colour);
        }
    }
    if (const char* pszLetter = Letter(label))
        DrawLetter(pDC, x, y, pszLetter);
}
