// Fonts by face name and pixel height, for the whole program.
//
// A face is found through fontconfig. The program loads its own aliases for
// the Windows Japanese faces once ("ＭＳ ゴシック"/"MS Gothic" -> IPAGothic,
// "ＭＳ Ｐゴシック"/"MS PGothic" -> IPAPGothic), because nothing installed maps
// them, and it checks that the family it got is the one it asked for. A face
// that cannot be found falls back to a stand-in with Japanese glyphs
// (fontconfig's ":lang=ja", a fixed-pitch one first for a fixed-pitch face,
// else a sans-serif one), so text never shows as boxes while such a font is
// installed. Without one it takes any sans-serif face, and with no font at all
// text is not drawn; either case says so once per process, in one line on
// stderr that names the Debian package with the fonts the program is made for.
//
// Each face and size is opened once (about a quarter of a millisecond) and
// kept for the life of the process; later calls are a map lookup. Safe to call
// from any thread (the program opens its first fonts on a thread of their own
// while the display connects); the fonts themselves are drawn with by one
// thread at a time (the window thread).
//
// Left out: bold and italic styles, closing fonts.
#pragma once

#include "platform/core/String.h"
#include "platform/core/Types.h"

typedef struct _TTF_Font TTF_Font;

// The face at nPixelHeight pixels of character height (12 when not positive).
// Never null while any font is installed; null with none.
TTF_Font* AfxGetFont(const char* pszFace, int nPixelHeight);

// The family name of a font (for IPAGothic, "IPAGothic").
CString AfxGetFontFamily(TTF_Font* pFont);

// Whether the font has a glyph for the Unicode code point.
BOOL AfxFontHasGlyph(TTF_Font* pFont, DWORD nCodePoint);

// How many fonts (a file at a size) the cache has opened so far.
int AfxGetOpenFontCount();
