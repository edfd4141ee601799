// Dialog units: a template's sizes and boxes are in units of its font, a
// quarter of the font's average character width across and an eighth of its
// height down. The original platform's dialog manager measures the font: the
// average width is (width of "A".."Z" "a".."z" / 26 + 1) / 2, the height is
// the line height. Here the base units come from the metrics of the face the
// templates are made for (IPAPGothic, whose 52 letters are 369 px wide at
// 12 px), not from whatever font is installed, so that the window has the same
// layout everywhere: the templates' 9-point font gives (7, 12) and the main
// window's client 558 x 251. A box maps its x, y, width and height
// separately, each rounded.
//
// Left out: dialogs without a font of their own (the system font), faces of
// other widths (every face gets those metrics).
#pragma once

#include <vector>

#include "platform/core/Rect.h"
#include "platform/gdi/Font.h"

struct DLGBASEUNITS {
    int cx; // average character width, pixels
    int cy; // character height, pixels
};

// The base units of face at nPointSize points (96 dots per inch); they
// depend on the size only.
DLGBASEUNITS AfxGetDialogBaseUnits(const char* pszFace, int nPointSize);

// Adds the fonts of the program's dialog templates, to be opened before the
// first dialog needs them (AfxPreloadFonts).
void AfxAddDialogFonts(std::vector<POINTFONT>* pFonts);

// The pixel rectangle of the box (x, y, cx, cy) in dialog units.
CRect AfxMapDialogBox(const DLGBASEUNITS& units, int x, int y, int cx, int cy);
