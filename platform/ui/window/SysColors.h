// The system colours that the program's own windows are drawn in: the
// classic scheme of the original platform (grey faces, white highlights,
// navy selection). No SDL here.
//
// Left out: colour schemes; every value is fixed.
#pragma once

#include "platform/core/Types.h"

#define COLOR_MENU 4
#define COLOR_WINDOWTEXT 8
#define COLOR_HIGHLIGHT 13
#define COLOR_HIGHLIGHTTEXT 14
#define COLOR_3DFACE 15
#define COLOR_3DSHADOW 16
#define COLOR_GRAYTEXT 17
#define COLOR_BTNTEXT 18
#define COLOR_MENUTEXT 7
#define COLOR_3DDKSHADOW 21
#define COLOR_3DHILIGHT 20
#define COLOR_3DLIGHT 22

// The colour of display element nIndex; black for an unknown one.
COLORREF GetSysColor(int nIndex);
