// Inside platform/ui: how the program's own windows draw what the window
// system would draw for them (dialog faces, control frames, icons, control
// and menu text) onto a window's surface. Text goes through the drawing
// layer (CDC::DrawText with a CFont), colours through its one conversion.
#pragma once

#include <SDL.h>

#include "platform/core/Rect.h"
#include "platform/core/String.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/IconImage.h"

// The face and point size (tenths) of dialog and menu text.
struct UIFONT {
    CString strFace;
    int nPointSize;
};

void AfxFillSolid(SDL_Surface* pSurface, const RECT& rc, COLORREF colour);
// A one-pixel frame: top and left in crTopLeft, bottom and right in crBottomRight.
void AfxDraw3dFrame(SDL_Surface* pSurface, const RECT& rc, COLORREF crTopLeft, COLORREF crBottomRight);
// The image of hIcon that is nSize pixels square, its top-left corner at (x, y).
void AfxDrawIconImage(SDL_Surface* pSurface, int x, int y, HICON hIcon, int nSize);
// One line of text in rc, placed by nFormat (DT_ flags), clipped to rc.
void AfxDrawUiText(SDL_Surface* pSurface, const UIFONT& font, const CString& text, RECT rc, UINT nFormat,
                   COLORREF colour);
// The extent of a line of text: (0, 0, width, height).
CRect AfxUiTextExtent(const UIFONT& font, const CString& text);
