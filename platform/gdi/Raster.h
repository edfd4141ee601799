// Pixel work shared by the drawing operations: rectangles clipped to a
// surface, solid fills, and rows of 32-bit pixels. Coordinates come in as
// 64-bit so that no sum of int coordinates can overflow on the way.
#pragma once

#include "platform/gdi/GdiData.h"

// The part of [left, right) x [top, bottom) on the surface; false when none.
bool AfxClipToSurface(const SDL_Surface* pSurface, long long left, long long top, long long right,
                      long long bottom, SDL_Rect* pClipped);

// Intersection of two rectangles given as SDL_Rect; false when empty.
bool AfxIntersect(const SDL_Rect& a, const SDL_Rect& b, SDL_Rect* pResult);

// Fills [left, right) x [top, bottom), clipped to the surface, with the colour.
void AfxFillRect(SDL_Surface* pSurface, long long left, long long top, long long right, long long bottom,
                 COLORREF colour);

// The same in logical pixels at nScale: each becomes an nScale x nScale block.
inline void AfxFillLogicalRect(SDL_Surface* pSurface, int nScale, long long left, long long top, long long right,
                               long long bottom, COLORREF colour)
{
    AfxFillRect(pSurface, left * nScale, top * nScale, right * nScale, bottom * nScale, colour);
}

inline Uint32* AfxPixelRow(SDL_Surface* pSurface, int y)
{
    return reinterpret_cast<Uint32*>(static_cast<Uint8*>(pSurface->pixels) + y * pSurface->pitch);
}

// Whether the surface's pixels can be read and written as 32-bit words.
inline bool AfxIs32Bit(const SDL_Surface* pSurface)
{
    return pSurface && pSurface->format->BytesPerPixel == 4;
}
