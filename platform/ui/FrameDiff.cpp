#include "platform/ui/FrameDiff.h"

#include <algorithm>
#include <cstring>

namespace {

const Uint32* Row(const SDL_Surface* pSurface, int y)
{
    return reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(pSurface->pixels) + ptrdiff_t(y) * pSurface->pitch);
}

} // namespace

SDL_Rect CFrameDiff::Update(const SDL_Surface* pSurface)
{
    const int w = pSurface->w;
    const int h = pSurface->h;
    if (pSurface->format->BytesPerPixel != 4 || w <= 0 || h <= 0)
        return SDL_Rect{0, 0, std::max(w, 0), std::max(h, 0)};
    if (m_pixels.empty() || w != m_nWidth || h != m_nHeight) {
        m_nWidth = w;
        m_nHeight = h;
        m_pixels.resize(size_t(w) * size_t(h));
        for (int y = 0; y < h; ++y)
            std::memcpy(&m_pixels[size_t(y) * size_t(w)], Row(pSurface, y), size_t(w) * sizeof(Uint32));
        return SDL_Rect{0, 0, w, h};
    }
    int left = w;
    int right = -1;
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < h; ++y) {
        const Uint32* pNew = Row(pSurface, y);
        Uint32* pOld = &m_pixels[size_t(y) * size_t(w)];
        if (std::memcmp(pNew, pOld, size_t(w) * sizeof(Uint32)) == 0)
            continue;
        int x0 = 0;
        while (pNew[x0] == pOld[x0])
            ++x0;
        int x1 = w - 1;
        while (pNew[x1] == pOld[x1])
            --x1;
        left = std::min(left, x0);
        right = std::max(right, x1);
        if (top < 0)
            top = y;
        bottom = y;
        std::memcpy(pOld, pNew, size_t(w) * sizeof(Uint32));
    }
    if (top < 0)
        return SDL_Rect{0, 0, 0, 0};
    return SDL_Rect{left, top, right - left + 1, bottom - top + 1};
}
