// CDC::BitBlt with SRCCOPY: a block of pixels from one DC's surface to
// another's, clipped to both. Surfaces of one format and scale copy row by
// row; other formats go through SDL's conversion and other scales take the
// nearest pixel one by one (both slower: keep one format and one scale).
#include "platform/gdi/Dc.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/Colour.h"
#include "platform/gdi/GdiData.h"
#include "platform/gdi/Raster.h"

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

// Between scales: each device pixel of the destination block takes the source
// pixel at the same place in the block, rounded down (nearest neighbour).
void CopyScaled(SDL_Surface* pDst, int nDstScale, SDL_Surface* pSrc, int nSrcScale, const Block& b)
{
    SDL_Rect to;
    if (!AfxClipToSurface(pDst, b.x * nDstScale, b.y * nDstScale, (b.x + b.w) * nDstScale, (b.y + b.h) * nDstScale, &to))
        return;
    const bool bSameFormat = pDst->format->format == pSrc->format->format;
    for (long long y = to.y; y < to.y + to.h; ++y) {
        const long long ySrc = b.ySrc * nSrcScale + (y - b.y * nDstScale) * nSrcScale / nDstScale;
        if (ySrc < 0 || ySrc >= pSrc->h)
            continue;
        Uint32* pTo = AfxPixelRow(pDst, int(y));
        const Uint32* pFrom = AfxPixelRow(pSrc, int(ySrc));
        for (long long x = to.x; x < to.x + to.w; ++x) {
            const long long xSrc = b.xSrc * nSrcScale + (x - b.x * nDstScale) * nSrcScale / nDstScale;
            if (xSrc < 0 || xSrc >= pSrc->w)
                continue;
            const Uint32 pixel = pFrom[xSrc];
            pTo[x] = bSameFormat ? pixel : AfxColourToPixel(AfxPixelToColour(pixel, pSrc->format), pDst->format);
        }
    }
}

bool Lock(SDL_Surface* pDst, SDL_Surface* pSrc)
{
    if (SDL_MUSTLOCK(pDst) && SDL_LockSurface(pDst) != 0)
        return false;
    if (pSrc != pDst && SDL_MUSTLOCK(pSrc) && SDL_LockSurface(pSrc) != 0) {
        if (SDL_MUSTLOCK(pDst))
            SDL_UnlockSurface(pDst);
        return false;
    }
    return true;
}

void Unlock(SDL_Surface* pDst, SDL_Surface* pSrc)
{
    if (SDL_MUSTLOCK(pDst))
        SDL_UnlockSurface(pDst);
    if (pSrc != pDst && SDL_MUSTLOCK(pSrc))
        SDL_UnlockSurface(pSrc);
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
    const int nDstScale = m_hDC->nScale;
    const int nSrcScale = pSrcDC->m_hDC->nScale;
    if (nWidth <= 0 || nHeight <= 0)
        return TRUE;
    if (nDstScale != nSrcScale) {
        if (!AfxIs32Bit(pDst) || !AfxIs32Bit(pSrc) || !Lock(pDst, pSrc))
            return FALSE;
        CopyScaled(pDst, nDstScale, pSrc, nSrcScale, Block{x, y, xSrc, ySrc, nWidth, nHeight});
        Unlock(pDst, pSrc);
        return TRUE;
    }
    const long long s = nDstScale;
    Block b = {x * s, y * s, xSrc * s, ySrc * s, nWidth * s, nHeight * s};
    if (!Clip(b, pDst, pSrc))
        return TRUE;
    if (pDst->format->format != pSrc->format->format) {
        Convert(pDst, pSrc, b);
        return TRUE;
    }
    if (!Lock(pDst, pSrc))
        return FALSE;
    CopyRows(pDst, pSrc, b);
    Unlock(pDst, pSrc);
    return TRUE;
}
