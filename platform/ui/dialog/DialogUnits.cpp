#include "platform/ui/dialog/DialogUnits.h"

#include <cstdint>
#include <cstdlib>

#include "platform/gdi/Font.h"
#include "platform/gdi/FontCache.h"
#include "platform/ui/window/DlgTemplate.h"

namespace {

// IPAPGothic's letters A..Z a..z measure kAlphabetWidth pixels at kAlphabetPixels.
constexpr int kAlphabetWidth = 369;
constexpr int kAlphabetPixels = 12;
constexpr int kLettersPerCase = 26;
constexpr int kQuartersPerChar = 4;
constexpr int kEighthsPerChar = 8;

// n * numerator / denominator, rounded half away from zero, as the platform's MulDiv.
int MulDiv(int n, int numerator, int denominator)
{
    const int64_t product = int64_t(n) * numerator;
    const int64_t half = denominator / 2;
    return int(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

} // namespace

DLGBASEUNITS AfxGetDialogBaseUnits(const char*, int nPointSize)
{
    const int64_t nPixelHeight = std::abs(AfxPointSizeToPixels(nPointSize * kTenthsPerPoint));
    const int64_t nAlphabet = nPixelHeight * kAlphabetWidth / kAlphabetPixels;
    return DLGBASEUNITS{int((nAlphabet / kLettersPerCase + 1) / 2), int(nPixelHeight)};
}

void AfxAddDialogFonts(std::vector<POINTFONT>* pFonts)
{
    for (int i = 0; i < AfxGetDialogTemplateCount(); ++i) {
        const DLGTEMPLATEDATA* pTemplate = AfxGetDialogTemplate(i);
        pFonts->push_back(POINTFONT{pTemplate->pszFace, pTemplate->wPointSize * kTenthsPerPoint});
    }
}

CRect AfxMapDialogBox(const DLGBASEUNITS& units, int x, int y, int cx, int cy)
{
    const int left = MulDiv(x, units.cx, kQuartersPerChar);
    const int top = MulDiv(y, units.cy, kEighthsPerChar);
    return CRect(left, top, left + MulDiv(cx, units.cx, kQuartersPerChar), top + MulDiv(cy, units.cy, kEighthsPerChar));
}
