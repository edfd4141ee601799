// Lookups into the program's resources (res/): dialog templates, icons and
// the version block.
#include <cstring>

#include "platform/ui/DlgTemplate.h"
#include "platform/ui/IconImage.h"
#include "platform/ui/VersionInfo.h"
#include "res/Dialogs.h"
#include "res/Icon.h"
#include "res/Version.h"

const DLGTEMPLATEDATA* AfxFindDialogTemplate(UINT nID)
{
    for (int i = 0; i < g_quindleDialogCount; ++i) {
        if (g_quindleDialogs[i].nID == nID)
            return &g_quindleDialogs[i];
    }
    return nullptr;
}

int AfxGetDialogTemplateCount()
{
    return g_quindleDialogCount;
}

const DLGTEMPLATEDATA* AfxGetDialogTemplate(int nIndex)
{
    return nIndex >= 0 && nIndex < g_quindleDialogCount ? &g_quindleDialogs[nIndex] : nullptr;
}

HICON AfxFindIconGroup(UINT nID)
{
    for (int i = 0; i < g_quindleIconCount; ++i) {
        if (g_quindleIcons[i].nID == nID)
            return &g_quindleIcons[i];
    }
    return nullptr;
}

const ICONIMAGEDATA* AfxIconImage(HICON hIcon, int nSize)
{
    if (!hIcon || hIcon->nImages <= 0)
        return nullptr;
    for (int i = 0; i < hIcon->nImages; ++i) {
        if (hIcon->pImages[i].nWidth == nSize && hIcon->pImages[i].nHeight == nSize)
            return &hIcon->pImages[i];
    }
    return &hIcon->pImages[0];
}

int AfxIconPixel(const ICONIMAGEDATA* pImage, int x, int y)
{
    if (!pImage || x < 0 || y < 0 || x >= pImage->nWidth || y >= pImage->nHeight)
        return 0;
    const char c = pImage->ppRows[y][x];
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

const VERSIONINFODATA& AfxGetVersionInfo()
{
    return g_quindleVersion;
}

const char* AfxFindVersionString(const char* pszKey)
{
    const VERSIONINFODATA& info = AfxGetVersionInfo();
    for (int i = 0; pszKey && i < info.nStrings; ++i) {
        if (std::strcmp(info.pStrings[i].pszKey, pszKey) == 0)
            return info.pStrings[i].pszValue;
    }
    return nullptr;
}
