// Dialog templates as data: the window's size, styles, caption and font, and
// its controls with their classes, texts, styles and boxes. Sizes and boxes
// are in dialog units; CDialog turns them into pixels with the base units of
// the template's font (DialogUnits.h). Texts are UTF-8.
//
// Left out: menus, window classes other than the two standard ones, and
// creation data.
#pragma once

#include "platform/core/Types.h"

// Standard control classes, as a template names them by ordinal.
constexpr WORD kDlgClassButton = 0x0080;
constexpr WORD kDlgClassStatic = 0x0082;

// A template's point size to the tenths of a point fonts are asked for in.
constexpr int kTenthsPerPoint = 10;

// The identifier of controls that nobody asks for by identifier.
constexpr int IDC_STATIC = -1;

struct DLGITEMDATA {
    int nID;
    WORD wClass;
    const char* pszText; // null when the item shows a resource
    UINT nResourceID;    // the icon of an SS_ICON static, 0 otherwise
    DWORD dwStyle;
    short x, y, cx, cy; // dialog units
};

struct DLGTEMPLATEDATA {
    UINT nID;
    BOOL bExtended; // an extended template (weight, italic and character set apply)
    DWORD dwStyle;
    DWORD dwExStyle;
    short x, y, cx, cy; // dialog units
    const char* pszCaption;
    WORD wPointSize; // points; fonts are asked for in tenths of a point (kTenthsPerPoint)
    WORD wWeight;
    BYTE bItalic;
    BYTE bCharSet;
    const char* pszFace;
    const DLGITEMDATA* pItems;
    int nItems;
};

// The template with identifier nID, or nullptr.
const DLGTEMPLATEDATA* AfxFindDialogTemplate(UINT nID);
// The program's templates, by index.
int AfxGetDialogTemplateCount();
const DLGTEMPLATEDATA* AfxGetDialogTemplate(int nIndex);
