// Fonts by face name and pixel height, for the whole program.
//
// A face is found through fontconfig. The program loads its own aliases for
// the Windows Japanese faces once ("ＭＳ ゴシック"/"MS Gothic" -> IPAGothic,
// "ＭＳ Ｐゴシック"/"MS PGothic" -> IPAPGothic), because nothing installed maps
// them, and it checks that the family it got is the one it asked for. A face
// that cannot be found falls back to a font with Japanese glyphs (":lang=ja"),
// so text never shows as boxes.
//
// Each face and size is opened once (about a quarter of a millisecond) and
// kept for the life of the process; later calls are a map lookup. Safe to call
// from any thread; the fonts themselves are for one thread at a time (the
// window thread).
//
// Left out: bold and italic styles, closing fonts.
#pragma once

#include "platform/core/String.h"
#include "platform/core/Types.h"

typedef struct _TTF_Font TTF_Font;

// The face at nPixelHeight pixels of character height (12 when not positive).
// Never null while any font is installed.
TTF_Font* AfxGetFont(const char* pszFace, int nPixelHeight);

// The family name of a font (for IPAGothic, "IPAGothic").
CString AfxGetFontFamily(TTF_Font* pFont);

// Whether the font has a glyph for the Unicode code point.
BOOL AfxFontHasGlyph(TTF_Font* pFont, DWORD nCodePoint);
