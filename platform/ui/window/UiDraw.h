// Inside platform/ui: how the program's own windows draw what the window
// system would draw for them (dialog faces, control frames, icons, control
// and menu text) onto a window's surface. Text goes through the drawing
// layer (CDC::DrawText with a CFont), colours through its one conversion.
// Rectangles and positions are logical pixels; nScale (1 .. kMaxDeviceScale)
// is the surface's device scale: fills and icon pixels become nScale x nScale
// blocks and text is drawn from the font at nScale times its size.
#pragma once

#include <SDL.h>

#include "platform/core/PadLabel.h"
#include "platform/core/Rect.h"
#include "platform/core/String.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/window/IconImage.h"

// The face and point size (tenths) of dialog and menu text.
struct UIFONT {
    CString strFace;
    int nPointSize;
};

void AfxFillSolid(SDL_Surface* pSurface, const RECT& rc, COLORREF colour, int nScale = 1);
// A one-pixel frame: top and left in crTopLeft, bottom and right in crBottomRight.
void AfxDraw3dFrame(SDL_Surface* pSurface, const RECT& rc, COLORREF crTopLeft, COLORREF crBottomRight,
                    int nScale = 1);
// The image of hIcon that is nSize pixels square, its top-left corner at (x, y);
// at a scale above 1 it grows as pixel art, each pixel a block.
void AfxDrawIconImage(SDL_Surface* pSurface, int x, int y, HICON hIcon, int nSize, int nScale = 1);
// A menu's check mark, 7 x 7 logical pixels, its top-left corner at (x, y).
void AfxDrawCheckMark(SDL_Surface* pSurface, int x, int y, COLORREF colour, int nScale = 1);
// A controller button's label (PadGlyph.h), its top-left corner at (x, y).
void AfxDrawPadButton(SDL_Surface* pSurface, int x, int y, EPadLabel label, int nScale = 1);
// One line of text in rc, placed by nFormat (DT_ flags), clipped to rc.
void AfxDrawUiText(SDL_Surface* pSurface, const UIFONT& font, const CString& text, RECT rc, UINT nFormat,
                   COLORREF colour, int nScale = 1);
// The extent of a line of text in logical pixels: (0, 0, width, height), the
// same at every scale.
CRect AfxUiTextExtent(const UIFONT& font, const CString& text);
