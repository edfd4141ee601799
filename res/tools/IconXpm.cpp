// Writes the program's icon at one size as an XPM picture, for the desktop's
// icon theme: `quindle_icon_xpm 32 > quindle.xpm`. Run by the build only.
#include <cstdio>
#include <cstdlib>

#include "platform/ui/IconImage.h"
#include "res/resource.h"

int main(int argc, char** argv)
{
    const int nSize = argc > 1 ? std::atoi(argv[1]) : 32;
    const ICONIMAGEDATA* pImage = AfxIconImage(AfxFindIconGroup(IDR_MAINFRAME), nSize);
    if (!pImage || pImage->nWidth != nSize) {
        std::fprintf(stderr, "quindle_icon_xpm: no %d x %d image\n", nSize, nSize);
        return 1;
    }
    std::printf("/* XPM */\nstatic char* quindle[] = {\n\"%d %d %d 1\",\n", pImage->nWidth, pImage->nHeight,
                kIconPaletteSize);
    for (int i = 0; i < kIconPaletteSize; ++i) {
        const COLORREF c = pImage->pPalette[i];
        std::printf("\"%X c #%02X%02X%02X\",\n", i, GetRValue(c), GetGValue(c), GetBValue(c));
    }
    for (int y = 0; y < pImage->nHeight; ++y) {
        std::printf("\"");
        for (int x = 0; x < pImage->nWidth; ++x)
            std::printf("%X", AfxIconPixel(pImage, x, y));
        std::printf("\"%s\n", y + 1 < pImage->nHeight ? "," : "};");
    }
    return 0;
}
