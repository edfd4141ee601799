// CDC::BitBlt with SRCCOPY: a block of pixels from one DC's surface to
// another's, clipped to both. Surfaces of one format copy row by row;
// others go through SDL's conversion (slower: keep one format).
#include "platform/gdi/Dc.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/GdiData.h"

namespace {

struct Block {
    long long x, y, xSrc, ySrc, w, h;
};

// Where the block starts before 0 on one side, both sides move in by as much and it shrinks.
void ClipStart(long long& pos, long long& other, long long& size)
{
    if (pos < 0) {
        other -= pos;
        size += pos;
        pos = 0;
    }
}

bool Clip(Block& b, const SDL_Surface* pDst, const SDL_Surface* pSrc)
{
    ClipStart(b.x, b.xSrc, b.w);
    ClipStart(b.xSrc, b.x, b.w);
    ClipStart(b.y, b.ySrc, b.h);
    ClipStart(b.ySrc, b.y, b.h);
    b.w = std::min({b.w, pDst->w - b.x, pSrc->w - b.xSrc});
    b.h = std::min({b.h, pDst->h - b.y, pSrc->h - b.ySrc});
    return b.w > 0 && b.h > 0;
}

void CopyRows(SDL_Surface* pDst, SDL_Surface* pSrc, const Block& b)
{
    const int bpp = pDst->format->BytesPerPixel;
    const size_t nRowBytes = size_t(b.w) * size_t(bpp);
    // Within one surface, copy away from the overlap.
    const bool bUpward = pDst == pSrc && b.y > b.ySrc;
    for (long long i = 0; i < b.h; ++i) {
        const long long row = bUpward ? b.h - 1 - i : i;
        Uint8* pTo = static_cast<Uint8*>(pDst->pixels) + (b.y + row) * pDst->pitch + b.x * bpp;
        const Uint8* pFrom = static_cast<const Uint8*>(pSrc->pixels) + (b.ySrc + row) * pSrc->pitch + b.xSrc * bpp;
        std::memmove(pTo, pFrom, nRowBytes);
    }
}

void Convert(SDL_Surface* pDst, SDL_Surface* pSrc, const Block& b)
{
    SDL_Rect from = {int(b.xSrc), int(b.ySrc), int(b.w), int(b.h)};
    SDL_Rect to = {int(b.x), int(b.y), int(b.w), int(b.h)};
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    SDL_GetSurfaceBlendMode(pSrc, &mode);
    SDL_SetSurfaceBlendMode(pSrc, SDL_BLENDMODE_NONE);
    SDL_LowerBlit(pSrc, &from, pDst, &to);
    SDL_SetSurfaceBlendMode(pSrc, mode);
}

} // namespace

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    if (!m_hDC || !pSrcDC || !pSrcDC->m_hDC || dwRop != SRCCOPY)
        return FALSE;
    SDL_Surface* pDst = m_hDC->pTarget;
    SDL_Surface* pSrc = pSrcDC->m_hDC->pTarget;
    if (!pDst || !pSrc)
        return FALSE;
    Block b = {x, y, xSrc, ySrc, nWidth, nHeight};
    if (!Clip(b, pDst, pSrc))
        return TRUE;
    if (pDst->format->format != pSrc->format->format) {
        Convert(pDst, pSrc, b);
        return TRUE;
    }
    const bool bLock = SDL_MUSTLOCK(pDst) || SDL_MUSTLOCK(pSrc);
    if (bLock && (SDL_LockSurface(pDst) != 0 || (pSrc != pDst && SDL_LockSurface(pSrc) != 0)))
        return FALSE;
    CopyRows(pDst, pSrc, b);
    if (bLock) {
        SDL_UnlockSurface(pDst);
        if (pSrc != pDst)
            SDL_UnlockSurface(pSrc);
    }
    return TRUE;
}
