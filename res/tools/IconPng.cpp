// Writes the program's icon at one size as a PNG picture, for the desktop's
// icon theme: `quindle_icon_png 48 quindle.png`. Run by the build only.
//
// Each size is drawn as pixel art from the largest of the icon's own images
// whose size divides it (48 from the 16 x 16 image at 3 x, 256 from the
// 32 x 32 at 8 x), every source pixel becoming a square block.
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/ui/window/IconImage.h"
#include "res/resource.h"

namespace {

const ICONIMAGEDATA* SourceFor(HICON hIcon, int nSize)
{
    const ICONIMAGEDATA* pBest = nullptr;
    for (int i = 0; hIcon && i < hIcon->nImages; ++i) {
        const ICONIMAGEDATA& image = hIcon->pImages[i];
        if (image.nWidth == image.nHeight && nSize % image.nWidth == 0 && (!pBest || image.nWidth > pBest->nWidth))
            pBest = &image;
    }
    return pBest;
}

} // namespace

int main(int argc, char** argv)
{
    const int nSize = argc > 2 ? std::atoi(argv[1]) : 0;
    const ICONIMAGEDATA* pSource = nSize > 0 ? SourceFor(AfxFindIconGroup(IDR_MAINFRAME), nSize) : nullptr;
    if (!pSource) {
        std::fprintf(stderr, "usage: quindle_icon_png SIZE FILE.png (a multiple of an icon image's size)\n");
        return 1;
    }
    const int nScale = nSize / pSource->nWidth;
    std::vector<png_byte> rgb(size_t(nSize) * size_t(nSize) * 3);
    for (int y = 0; y < nSize; ++y) {
        for (int x = 0; x < nSize; ++x) {
            const COLORREF c = pSource->pPalette[AfxIconPixel(pSource, x / nScale, y / nScale)];
            png_byte* p = &rgb[(size_t(y) * size_t(nSize) + size_t(x)) * 3];
            p[0] = GetRValue(c);
            p[1] = GetGValue(c);
            p[2] = GetBValue(c);
        }
    }
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = png_uint_32(nSize);
    png.height = png_uint_32(nSize);
    png.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&png, argv[2], 0, rgb.data(), 0, nullptr)) {
        std::fprintf(stderr, "quindle_icon_png: %s: %s\n", argv[2], png.message);
        return 1;
    }
    return 0;
}
