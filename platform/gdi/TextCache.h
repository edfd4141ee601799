// Rendered strings. DrawText asks for the coverage of a string in a font (how
// much of each pixel the glyphs cover, 0 to 255) and blends it in the text
// colour itself, so one rendering serves every colour. Rendering a new string
// costs about half a millisecond; the cache keeps the least recently used
// strings up to a fixed count and size, so the texts of every frame are
// rendered once. Safe to call from any thread.
// Left out: wrapping, several lines.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

typedef struct _TTF_Font TTF_Font;

struct CTextMask {
    int nWidth = 0;
    int nHeight = 0;
    std::vector<uint8_t> coverage; // nWidth x nHeight, row by row
};

// The string rendered in the font; null for an empty string or a failed rendering.
std::shared_ptr<const CTextMask> AfxGetTextMask(TTF_Font* pFont, const std::string& text);
