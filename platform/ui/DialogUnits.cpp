#include "platform/ui/DialogUnits.h"

#include <SDL_ttf.h>

#include <cstdint>

#include "platform/gdi/Font.h"
#include "platform/gdi/FontCache.h"
#include "platform/ui/DlgTemplate.h"

namespace {

constexpr const char* kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kLettersPerCase = 26;
constexpr int kQuartersPerChar = 4;
constexpr int kEighthsPerChar = 8;
constexpr int kTenthsPerPoint = 10;

// n * numerator / denominator, rounded half away from zero, as the platform's MulDiv.
int MulDiv(int n, int numerator, int denominator)
{
    const int64_t product = int64_t(n) * numerator;
    const int64_t half = denominator / 2;
    return int(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

} // namespace

DLGBASEUNITS AfxGetDialogBaseUnits(const char* pszFace, int nPointSize)
{
    const int nPixelHeight = AfxPointSizeToPixels(nPointSize * kTenthsPerPoint);
    TTF_Font* pFont = AfxGetFont(pszFace, nPixelHeight);
    int nWidth = 0;
    int nHeight = 0;
    if (!pFont || TTF_SizeUTF8(pFont, kAlphabet, &nWidth, &nHeight) != 0)
        return DLGBASEUNITS{(nPixelHeight + 1) / 2, nPixelHeight};
    return DLGBASEUNITS{(nWidth / kLettersPerCase + 1) / 2, TTF_FontHeight(pFont)};
}

void AfxLoadDialogFonts()
{
    for (int i = 0; i < AfxGetDialogTemplateCount(); ++i) {
        const DLGTEMPLATEDATA* pTemplate = AfxGetDialogTemplate(i);
        AfxGetDialogBaseUnits(pTemplate->pszFace, pTemplate->wPointSize);
    }
}

CRect AfxMapDialogBox(const DLGBASEUNITS& units, int x, int y, int cx, int cy)
{
    const int left = MulDiv(x, units.cx, kQuartersPerChar);
    const int top = MulDiv(y, units.cy, kEighthsPerChar);
    return CRect(left, top, left + MulDiv(cx, units.cx, kQuartersPerChar), top + MulDiv(cy, units.cy, kEighthsPerChar));
}
