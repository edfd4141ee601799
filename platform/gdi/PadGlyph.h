// A game controller's face button as a small picture: the label printed on
// it (PadLabel.h), kPadGlyphSize logical pixels square, for a screen to show
// which button acts. Xbox's A and B are white letters on green and red discs,
// Nintendo's on dark ones; PlayStation's cross and circle are drawn as
// shapes on a dark disc. The discs and shapes are logical pixels (exact
// blocks at any scale), the letters text from the Gothic face, so the glyph
// is crisp at every scale. What lies around the disc is left as it was.
#pragma once

#include "platform/core/PadLabel.h"
#include "platform/gdi/Dc.h"

constexpr int kPadGlyphSize = 15;
// The space between a button and the glyph beside it.
constexpr int kPadGlyphGap = 6;

// Where the glyph of the button that acts on rcButton goes: left of it,
// centred upright.
inline CRect AfxPadGlyphRect(const RECT& rcButton)
{
    const int x = rcButton.left - kPadGlyphGap - kPadGlyphSize;
    const int y = rcButton.top + (rcButton.bottom - rcButton.top - kPadGlyphSize) / 2;
    return CRect(x, y, x + kPadGlyphSize, y + kPadGlyphSize);
}

// Draws label's glyph with its top-left corner at (x, y); kNone draws nothing.
void AfxDrawPadGlyph(CDC* pDC, int x, int y, EPadLabel label);
