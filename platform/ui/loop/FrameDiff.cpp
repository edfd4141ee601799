#include "platform/ui/loop/FrameDiff.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

CRect CFrameDiff::Update(const void* pPixels, int nPitch, int nWidth, int nHeight)
{
    if (nWidth <= 0 || nHeight <= 0)
        return CRect(0, 0, 0, 0);
    const auto row = [&](int y) {
        return reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(pPixels) + std::ptrdiff_t(y) * nPitch);
    };
    const size_t nRowBytes = size_t(nWidth) * sizeof(uint32_t);
    if (m_pixels.empty() || nWidth != m_nWidth || nHeight != m_nHeight) {
        m_nWidth = nWidth;
        m_nHeight = nHeight;
        m_pixels.resize(size_t(nWidth) * size_t(nHeight));
        for (int y = 0; y < nHeight; ++y)
            std::memcpy(&m_pixels[size_t(y) * size_t(nWidth)], row(y), nRowBytes);
        return CRect(0, 0, nWidth, nHeight);
    }
    CRect rc(nWidth, nHeight, 0, 0);
    for (int y = 0; y < nHeight; ++y) {
        const uint32_t* pNew = row(y);
        uint32_t* pOld = &m_pixels[size_t(y) * size_t(nWidth)];
        if (std::memcmp(pNew, pOld, nRowBytes) == 0)
            continue;
        int x0 = 0;
        while (pNew[x0] == pOld[x0])
            ++x0;
        int x1 = nWidth - 1;
        while (pNew[x1] == pOld[x1])
            --x1;
        rc = CRect(std::min<LONG>(rc.left, x0), std::min<LONG>(rc.top, y), std::max<LONG>(rc.right, x1 + 1), y + 1);
        std::memcpy(pOld, pNew, nRowBytes);
    }
    return rc.right > rc.left ? rc : CRect(0, 0, 0, 0);
}
