// The resources as data: the templates' controls, the icon pictures, the
// version block, and the dialog units that turn the templates into pixels.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "platform/ui/dialog/DialogUnits.h"
#include "platform/ui/window/DlgTemplate.h"
#include "platform/ui/window/IconImage.h"
#include "platform/ui/frame/VersionInfo.h"
#include "platform/ui/window/WinUser.h"
#include "res/resource.h"

namespace {

TEST(DialogUnits, DialogFontGivesBaseUnitsSevenByTwelve)
{
    const DLGBASEUNITS units = AfxGetDialogBaseUnits("ＭＳ Ｐゴシック", 9);
    EXPECT_EQ(units.cx, 7);
    EXPECT_EQ(units.cy, 12);
}

TEST(DialogUnits, EachOfXYWidthAndHeightIsRoundedOnItsOwn)
{
    const DLGBASEUNITS units{7, 12};
    // 7 * 12 / 8 = 10.5 rounds up; 305 * 7 / 4 = 533.75 gives the width 534.
    EXPECT_EQ(AfxMapDialogBox(units, 7, 7, 305, 124), CRect(12, 11, 546, 197));
    EXPECT_EQ(AfxMapDialogBox(units, 0, 0, 319, 167), CRect(0, 0, 558, 251));
}

TEST(Templates, MainTemplateHoldsFiveHiddenDisabledLayoutControls)
{
    const DLGTEMPLATEDATA* pMain = AfxFindDialogTemplate(IDD_MAIN);
    ASSERT_NE(pMain, nullptr);
    EXPECT_STREQ(pMain->pszCaption, "Quindle");
    EXPECT_EQ(pMain->dwStyle, 0x90C800C0u);
    EXPECT_EQ(pMain->dwExStyle, 0x00040000u);
    EXPECT_STREQ(pMain->pszFace, "ＭＳ Ｐゴシック");
    ASSERT_EQ(pMain->nItems, 5);
    const int order[] = {IDC_TITLE, IDC_START, IDOK, IDC_STOP, IDC_AREA};
    for (int i = 0; i < pMain->nItems; ++i) {
        const DLGITEMDATA& item = pMain->pItems[i];
        EXPECT_EQ(item.nID, order[i]);
        EXPECT_EQ(item.dwStyle & WS_VISIBLE, 0u) << item.nID;
        EXPECT_EQ(item.dwStyle & WS_DISABLED, WS_DISABLED) << item.nID;
    }
}

TEST(Templates, AboutTemplateShowsIconTextAndDefaultOk)
{
    const DLGTEMPLATEDATA* pAbout = AfxFindDialogTemplate(IDD_ABOUTBOX);
    ASSERT_NE(pAbout, nullptr);
    EXPECT_STREQ(pAbout->pszCaption, "Quindleのﾊﾞｰｼﾞｮﾝ情報");
    ASSERT_EQ(pAbout->nItems, 3);
    EXPECT_EQ(pAbout->pItems[0].nResourceID, UINT(IDR_MAINFRAME));
    EXPECT_STREQ(pAbout->pItems[1].pszText, "Quindle Version 1.0");
    EXPECT_EQ(pAbout->pItems[2].nID, IDOK);
    EXPECT_EQ(pAbout->pItems[2].dwStyle & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(AfxFindDialogTemplate(12345), nullptr);
}

TEST(Icon, BothSizesAreSixteenColourPicturesOfTheGame)
{
    HICON hIcon = AfxFindIconGroup(IDR_MAINFRAME);
    ASSERT_NE(hIcon, nullptr);
    for (int nSize : {32, 16}) {
        const ICONIMAGEDATA* pImage = AfxIconImage(hIcon, nSize);
        ASSERT_EQ(pImage->nWidth, nSize);
        ASSERT_EQ(pImage->nHeight, nSize);
        std::set<COLORREF> colours;
        for (int y = 0; y < nSize; ++y) {
            ASSERT_EQ(std::strlen(pImage->ppRows[y]), size_t(nSize)) << "row " << y;
            ASSERT_EQ(std::strspn(pImage->ppRows[y], "0123456789ABCDEF"), size_t(nSize)) << "row " << y;
            for (int x = 0; x < nSize; ++x)
                colours.insert(pImage->pPalette[AfxIconPixel(pImage, x, y)]);
        }
        EXPECT_EQ(AfxIconPixel(pImage, 0, 0), 0);
        EXPECT_EQ(pImage->pPalette[0], RGB(0, 0, 0)) << "black background";
        EXPECT_TRUE(colours.count(RGB(204, 0, 0))) << "the player";
        EXPECT_TRUE(colours.count(RGB(140, 140, 140))) << "obstacles";
    }
}

TEST(Version, StringTableAgreesWithTheFixedVersion)
{
    const VERSIONINFODATA& info = AfxGetVersionInfo();
    EXPECT_EQ(info.wFileVersion[0], 1);
    EXPECT_EQ(info.wFileVersion[3], 2);
    EXPECT_STREQ(info.pszStringTable, "041104b0");
    EXPECT_EQ(info.wLanguage, 0x0411);
    EXPECT_EQ(info.wCodePage, 0x04B0);
    char version[32];
    std::snprintf(version, sizeof(version), "%u, %u, %u, %u", info.wFileVersion[0], info.wFileVersion[1],
                  info.wFileVersion[2], info.wFileVersion[3]);
    EXPECT_STREQ(AfxFindVersionString("FileVersion"), version);
    EXPECT_STREQ(AfxFindVersionString("ProductVersion"), version);
    EXPECT_STREQ(AfxFindVersionString("OriginalFilename"), "Quindle.EXE");
    EXPECT_STREQ(AfxFindVersionString("Comments"), "");
    EXPECT_EQ(info.nStrings, 11);
}

} // namespace
