#include "platform/gdi/Raster.h"

#include <algorithm>

#include "platform/gdi/Colour.h"

bool AfxClipToSurface(const SDL_Surface* pSurface, long long left, long long top, long long right,
                      long long bottom, SDL_Rect* pClipped)
{
    if (!pSurface)
        return false;
    left = std::max(left, 0LL);
    top = std::max(top, 0LL);
    right = std::min(right, (long long)pSurface->w);
    bottom = std::min(bottom, (long long)pSurface->h);
    if (left >= right || top >= bottom)
        return false;
    *pClipped = SDL_Rect{int(left), int(top), int(right - left), int(bottom - top)};
    return true;
}

bool AfxIntersect(const SDL_Rect& a, const SDL_Rect& b, SDL_Rect* pResult)
{
    const int left = std::max(a.x, b.x);
    const int top = std::max(a.y, b.y);
    const int right = std::min(a.x + a.w, b.x + b.w);
    const int bottom = std::min(a.y + a.h, b.y + b.h);
    if (left >= right || top >= bottom)
        return false;
    *pResult = SDL_Rect{left, top, right - left, bottom - top};
    return true;
}

void AfxFillRect(SDL_Surface* pSurface, long long left, long long top, long long right, long long bottom,
                 COLORREF colour)
{
    SDL_Rect rc;
    if (AfxClipToSurface(pSurface, left, top, right, bottom, &rc))
        SDL_FillRect(pSurface, &rc, AfxColourToPixel(colour, pSurface->format));
}
