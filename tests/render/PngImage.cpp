#include "PngImage.h"

#include <png.h>

#include <cstring>

#include "platform/gdi/Dc.h"

CImage CImage::FromDC(const CDC& dc, int nWidth, int nHeight)
{
    CImage image;
    image.nWidth = nWidth;
    image.nHeight = nHeight;
    image.rgb.resize(size_t(nWidth) * size_t(nHeight) * 3);
    for (int y = 0; y < nHeight; ++y)
        for (int x = 0; x < nWidth; ++x)
            image.Set(x, y, dc.GetPixel(x, y));
    return image;
}

CImage CImage::FromBitmap(const CBitmap& bmp)
{
    CImage image;
    BITMAP info;
    if (!bmp.GetBitmap(&info))
        return image;
    std::vector<uint32_t> bits(size_t(info.bmWidth) * size_t(info.bmHeight));
    bmp.GetBitmapBits(DWORD(bits.size() * 4), bits.data());
    image.nWidth = info.bmWidth;
    image.nHeight = info.bmHeight;
    image.rgb.resize(bits.size() * 3);
    for (size_t i = 0; i < bits.size(); ++i) {
        image.rgb[i * 3] = uint8_t(bits[i] >> 16);
        image.rgb[i * 3 + 1] = uint8_t(bits[i] >> 8);
        image.rgb[i * 3 + 2] = uint8_t(bits[i]);
    }
    return image;
}

COLORREF CImage::At(int x, int y) const
{
    const uint8_t* p = &rgb[(size_t(y) * size_t(nWidth) + size_t(x)) * 3];
    return RGB(p[0], p[1], p[2]);
}

void CImage::Set(int x, int y, COLORREF colour)
{
    uint8_t* p = &rgb[(size_t(y) * size_t(nWidth) + size_t(x)) * 3];
    p[0] = GetRValue(colour);
    p[1] = GetGValue(colour);
    p[2] = GetBValue(colour);
}

bool ReadPng(const std::string& path, CImage* pImage)
{
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str()))
        return false;
    png.format = PNG_FORMAT_RGB;
    pImage->nWidth = int(png.width);
    pImage->nHeight = int(png.height);
    pImage->rgb.resize(PNG_IMAGE_SIZE(png));
    const bool ok = png_image_finish_read(&png, nullptr, pImage->rgb.data(), 0, nullptr) != 0;
    png_image_free(&png);
    return ok;
}

bool WritePng(const std::string& path, const CImage& image)
{
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = png_uint_32(image.nWidth);
    png.height = png_uint_32(image.nHeight);
    png.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&png, path.c_str(), 0, image.rgb.data(), 0, nullptr) != 0;
}

CImage DiffImage(const CImage& expected, const CImage& actual)
{
    CImage diff = actual;
    for (int y = 0; y < diff.nHeight; ++y) {
        for (int x = 0; x < diff.nWidth; ++x) {
            const COLORREF e = expected.At(x, y);
            if (e != actual.At(x, y)) {
                diff.Set(x, y, RGB(255, 0, 0));
                continue;
            }
            // A faded grey of the expected pixel, so the red stands out.
            const int grey = (GetRValue(e) + GetGValue(e) + GetBValue(e)) / 3;
            diff.Set(x, y, RGB(BYTE(160 + grey / 4), BYTE(160 + grey / 4), BYTE(160 + grey / 4)));
        }
    }
    return diff;
}
