// Inside platform/ui: what part of a window's picture a paint changed, so
// that only that part is presented. It keeps a copy of the pixels last
// presented and compares row by row: a paint that changed nothing (a mouse
// move that moved no highlight) presents nothing.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/core/Rect.h"

class CFrameDiff {
public:
    // The bounding box of the pixels (32 bits each, rows nPitch bytes apart)
    // that differ from the last call: the whole picture after Reset or a
    // change of size, empty when none differs. The copy is brought up to date.
    CRect Update(const void* pPixels, int nPitch, int nWidth, int nHeight);
    // The window's contents were lost (exposed, shown, resized): all of it changes next time.
    void Reset() { m_pixels.clear(); }

private:
    std::vector<uint32_t> m_pixels;
    int m_nWidth = 0;
    int m_nHeight = 0;
};
