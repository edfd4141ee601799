// Where colours meet pixels: COLORREF (0x00BBGGRR, red in the low byte) to a
// surface's pixel and back, and text coverage mixed into a pixel. The layer's
// own format (kPixelFormat) takes a direct path; any other 32-bit format goes
// through SDL's mapping.
#pragma once

#include "platform/gdi/GdiData.h"

inline Uint32 AfxColourToPixel(COLORREF c, const SDL_PixelFormat* pFormat)
{
    if (pFormat->format == kPixelFormat)
        return (Uint32(GetRValue(c)) << 16) | (Uint32(GetGValue(c)) << 8) | Uint32(GetBValue(c));
    return SDL_MapRGB(pFormat, GetRValue(c), GetGValue(c), GetBValue(c));
}

inline COLORREF AfxPixelToColour(Uint32 pixel, const SDL_PixelFormat* pFormat)
{
    if (pFormat->format == kPixelFormat)
        return RGB(BYTE(pixel >> 16), BYTE(pixel >> 8), BYTE(pixel));
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(pixel, pFormat, &r, &g, &b);
    return RGB(r, g, b);
}

// One channel: coverage 0 keeps d, 255 gives c.
inline Uint32 AfxMixChannel(Uint32 d, Uint32 c, Uint32 coverage)
{
    return (c * coverage + d * (255 - coverage) + 127) / 255;
}

// Colour c laid over pixel with the given coverage.
inline Uint32 AfxBlendPixel(Uint32 pixel, COLORREF c, Uint8 coverage, const SDL_PixelFormat* pFormat)
{
    const COLORREF d = AfxPixelToColour(pixel, pFormat);
    const COLORREF mixed = RGB(BYTE(AfxMixChannel(GetRValue(d), GetRValue(c), coverage)),
                               BYTE(AfxMixChannel(GetGValue(d), GetGValue(c), coverage)),
                               BYTE(AfxMixChannel(GetBValue(d), GetBValue(c), coverage)));
    return AfxColourToPixel(mixed, pFormat);
}
