// Lookups into the program's resources (platform/core/Resources.h) that
// windows and dialogs read: the dialog templates and the icons.
#include "platform/core/Resources.h"
#include "platform/ui/window/DlgTemplate.h"
#include "platform/ui/window/IconImage.h"

const DLGTEMPLATEDATA* AfxFindDialogTemplate(UINT nID)
{
    const AFX_RESOURCE_TABLE& program = AfxProgramResources();
    for (int i = 0; i < program.nDialogs; ++i) {
        if (program.pDialogs[i].nID == nID)
            return &program.pDialogs[i];
    }
    return nullptr;
}

int AfxGetDialogTemplateCount()
{
    return AfxProgramResources().nDialogs;
}

const DLGTEMPLATEDATA* AfxGetDialogTemplate(int nIndex)
{
    const AFX_RESOURCE_TABLE& program = AfxProgramResources();
    return nIndex >= 0 && nIndex < program.nDialogs ? &program.pDialogs[nIndex] : nullptr;
}

HICON AfxFindIconGroup(UINT nID)
{
    const AFX_RESOURCE_TABLE& program = AfxProgramResources();
    for (int i = 0; i < program.nIcons; ++i) {
        if (program.pIcons[i].nID == nID)
            return &program.pIcons[i];
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
