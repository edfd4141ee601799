// CFont: a face and a character height, for DrawText. The handle is cheap:
// the face itself is opened once per size by the font cache (FontCache.h) and
// shared by every CFont of that face and size.
// Every DC here has 96 dots per inch, so a point size maps to pixels the same
// way for any DC. Left out: weight, italics, widths, escapement, CreateFont.
#pragma once

#include <vector>

#include "platform/gdi/GdiObject.h"

constexpr int LF_FACESIZE = 32;

// What GetLogFont tells of a font: its height (negative: the character height
// in pixels, without internal leading) and the face asked for (UTF-8, cut to fit).
struct LOGFONT {
    LONG lfHeight;
    char lfFaceName[LF_FACESIZE];
};

class CFont : public CGdiObject {
public:
    // nPointSize in tenths of a point; pDC (ignored: every DC has 96 dpi).
    // A face that cannot be found is replaced by one with Japanese glyphs.
    BOOL CreatePointFont(int nPointSize, const char* lpszFaceName, CDC* pDC = NULL);
    int GetLogFont(LOGFONT* pLogFont) const;
};

// Tenths of a point to pixels at 96 dpi, rounded as the platform's MulDiv does.
int AfxPointSizeToPixels(int nPointSize);

// A face at a point size, in tenths of a point as CreatePointFont takes it.
struct POINTFONT {
    const char* pszFace;
    int nPointSize;
};

// Finds and opens each font as CreatePointFont would, so that a CFont made
// later of the same face and size is a lookup; safe on any thread.
void AfxPreloadFonts(const std::vector<POINTFONT>& fonts);
