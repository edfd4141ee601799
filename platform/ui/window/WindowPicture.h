// Inside platform/ui: what a top window shows between its paints. A paint
// whose handler describes its picture (a key) and finds it the one the window
// still shows draws and presents nothing; a paint that draws presents only the
// part that changed since the last present (CFrameDiff). Whatever loses what
// the window shows (an exposure, a new scale, an erased background, an
// overlay) makes the next paint draw and present all of it. Window thread only.
#pragma once

#include <vector>

#include "platform/core/Rect.h"
#include "platform/core/Types.h"
#include "platform/ui/loop/FrameDiff.h"

class CWindowPicture {
public:
    // What the window showed is gone.
    void Lose();
    // A paint opens; bErase: its background is erased, which loses the picture.
    void BeginPaint(BOOL bErase);
    // The open paint's picture, described by key (bOverlay: something is
    // drawn over it that the key does not tell); TRUE when it is the picture
    // shown, and the paint then draws nothing.
    BOOL Describe(std::vector<int> key, BOOL bOverlay);
    BOOL KeepsPicture() const { return m_bKeep; }
    // The open paint drew its picture into pixels (w x h, pitch bytes a row):
    // the part to present, empty when nothing changed.
    CRect Drawn(const void* pPixels, int nPitch, int w, int h);
    void EndPaint() { m_bKeep = FALSE; }

private:
    CFrameDiff m_diff;
    std::vector<int> m_key; // what the last paint that drew a picture drew
    BOOL m_bKept = FALSE;   // the window still shows that picture
    BOOL m_bKeep = FALSE;   // the open paint draws nothing
    BOOL m_bKeyGiven = FALSE; // the open paint's handler described its picture
};
