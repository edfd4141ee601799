#include "platform/gdi/Font.h"

#include <cstdlib>
#include <cstring>

#include "platform/gdi/FontCache.h"
#include "platform/gdi/GdiData.h"

namespace {
constexpr int kDotsPerInch = 96;
constexpr int kTenthsPerInch = 720; // 72 points of 10 tenths

// The cached font CreatePointFont gives for a face and size.
TTF_Font* PointFont(const char* pszFace, int nPointSize)
{
    return AfxGetFont(pszFace ? pszFace : "", std::abs(AfxPointSizeToPixels(nPointSize)));
}

} // namespace

int AfxPointSizeToPixels(int nPointSize)
{
    // MulDiv: the exact product, divided with rounding half away from zero.
    const long long product = (long long)nPointSize * kDotsPerInch;
    const long long half = kTenthsPerInch / 2;
    return int(product >= 0 ? (product + half) / kTenthsPerInch : (product - half) / kTenthsPerInch);
}

BOOL CFont::CreatePointFont(int nPointSize, const char* lpszFaceName, CDC*)
{
    if (m_hObject)
        return FALSE;
    const char* pszFace = lpszFaceName ? lpszFaceName : "";
    const int nPixels = std::abs(AfxPointSizeToPixels(nPointSize));
    TTF_Font* pFont = PointFont(pszFace, nPointSize);
    if (!pFont)
        return FALSE;
    HFONT hFont = new GdiObjectData(GdiKind::Font);
    hFont->pFont = pFont;
    hFont->strFace = pszFace;
    hFont->nPixelHeight = nPixels;
    return Attach(hFont);
}

int CFont::GetLogFont(LOGFONT* pLogFont) const
{
    if (!m_hObject || !pLogFont)
        return 0;
    pLogFont->lfHeight = -m_hObject->nPixelHeight;
    std::strncpy(pLogFont->lfFaceName, m_hObject->strFace.c_str(), LF_FACESIZE - 1);
    pLogFont->lfFaceName[LF_FACESIZE - 1] = '\0';
    return int(sizeof(LOGFONT));
}

void AfxPreloadFonts(const std::vector<POINTFONT>& fonts)
{
    for (const POINTFONT& font : fonts)
        PointFont(font.pszFace, font.nPointSize);
}
