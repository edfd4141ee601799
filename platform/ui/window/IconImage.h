// Icons as data: each image a picture of 16 colours, one 4-bit palette index
// per pixel, written as a row of hexadecimal digits ('0' to 'F'), top row
// first. An icon group holds the sizes of one icon; a handle (HICON) is the
// group, and whoever draws it picks the image of the size it needs.
//
// Left out: transparency (every pixel is opaque) and other colour depths.
#pragma once

#include "platform/core/Types.h"

constexpr int kIconPaletteSize = 16;

struct ICONIMAGEDATA {
    int nWidth;
    int nHeight;
    const COLORREF* pPalette;  // kIconPaletteSize colours
    const char* const* ppRows; // nHeight rows of nWidth digits
};

struct ICONGROUPDATA {
    UINT nID;
    const ICONIMAGEDATA* pImages;
    int nImages;
};

typedef const ICONGROUPDATA* HICON;
typedef HICON HCURSOR;

// The icon group with identifier nID, or nullptr.
HICON AfxFindIconGroup(UINT nID);

// The image of group hIcon that is nSize pixels square, else its first image;
// nullptr for a null handle.
const ICONIMAGEDATA* AfxIconImage(HICON hIcon, int nSize);

// Palette index of pixel (x, y) of an image; 0 outside it or for a bad digit.
int AfxIconPixel(const ICONIMAGEDATA* pImage, int x, int y);
