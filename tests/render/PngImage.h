// RGB images read from and written to PNG files, for the golden images.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/Types.h"

class CBitmap;
class CDC;

struct CImage {
    int nWidth = 0;
    int nHeight = 0;
    std::vector<uint8_t> rgb; // 3 bytes a pixel, row by row

    static CImage FromDC(const CDC& dc, int nWidth, int nHeight);
    // Every device pixel of the bitmap, whatever its scale.
    static CImage FromBitmap(const CBitmap& bmp);
    COLORREF At(int x, int y) const;
    void Set(int x, int y, COLORREF colour);
    bool operator==(const CImage& o) const { return nWidth == o.nWidth && nHeight == o.nHeight && rgb == o.rgb; }
};

bool ReadPng(const std::string& path, CImage* pImage);
bool WritePng(const std::string& path, const CImage& image);

// Differences in red over a faded copy of expected (same size), for a person to look at.
CImage DiffImage(const CImage& expected, const CImage& actual);
