// Inside platform/ui: what part of a window's surface a paint changed, so
// that only that part is presented. It keeps a copy of the pixels last
// presented and compares row by row: a paint that changed nothing (a mouse
// move that moved no highlight) presents nothing.
#pragma once

#include <SDL.h>

#include <vector>

class CFrameDiff {
public:
    // The bounding box of the pixels that differ from the last call (the
    // whole surface after Reset or a change of size); empty when none does.
    // The copy is brought up to date.
    SDL_Rect Update(const SDL_Surface* pSurface);
    // The window's contents were lost (exposed, shown, resized): present everything next time.
    void Reset() { m_pixels.clear(); }

private:
    std::vector<Uint32> m_pixels;
    int m_nWidth = 0;
    int m_nHeight = 0;
};
