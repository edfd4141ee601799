#include "res/Dialogs.h"

#include "platform/ui/window/WinUser.h"
#include "res/resource.h"

namespace {

constexpr DWORD kMainStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr DWORD kAboutStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
// The layout controls are never seen and never clicked: only their boxes count.
constexpr DWORD kLayoutTitle = WS_CHILD | WS_DISABLED | WS_BORDER | WS_GROUP | SS_LEFT;
constexpr DWORD kLayoutButton = WS_CHILD | WS_DISABLED | WS_TABSTOP | BS_NOTIFY | BS_PUSHBUTTON;
constexpr DWORD kLayoutDefButton = WS_CHILD | WS_DISABLED | WS_TABSTOP | BS_NOTIFY | BS_DEFPUSHBUTTON;
constexpr DWORD kLayoutArea = WS_CHILD | WS_DISABLED | WS_GROUP | SS_SUNKEN;
constexpr DWORD kAboutIcon = WS_CHILD | WS_VISIBLE | SS_ICON;
constexpr DWORD kAboutText = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_NOPREFIX;
constexpr DWORD kAboutOk = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON;

static_assert(kMainStyle == 0x90C800C0, "main dialog style");
static_assert(kAboutStyle == 0x80C800C0, "About box style");
static_assert(kLayoutTitle == 0x48820000 && kLayoutButton == 0x48014000 && kLayoutDefButton == 0x48014001 &&
                  kLayoutArea == 0x48021000,
              "layout control styles");
static_assert(kAboutIcon == 0x50000003 && kAboutText == 0x50020080 && kAboutOk == 0x50030001,
              "About box control styles");

constexpr WORD kTemplatePointSize = 9;
constexpr BYTE kDefaultCharSet = 1;
constexpr const char* kDialogFace = "ＭＳ Ｐゴシック";

const DLGITEMDATA g_mainItems[] = {
    {IDC_TITLE, kDlgClassStatic, "Title", 0, kLayoutTitle, 49, 15, 219, 36},
    {IDC_START, kDlgClassButton, "Start", 0, kLayoutButton, 122, 68, 71, 21},
    {IDOK, kDlgClassButton, "Exit", 0, kLayoutDefButton, 122, 97, 71, 21},
    {IDC_STOP, kDlgClassButton, "Stop", 0, kLayoutButton, 241, 133, 71, 21},
    {IDC_AREA, kDlgClassStatic, "描画エリア", 0, kLayoutArea, 7, 7, 305, 124},
};

const DLGITEMDATA g_aboutItems[] = {
    {IDC_STATIC, kDlgClassStatic, nullptr, IDR_MAINFRAME, kAboutIcon, 11, 17, 20, 20},
    {IDC_STATIC, kDlgClassStatic, "Quindle Version 1.0", 0, kAboutText, 40, 10, 119, 8},
    {IDOK, kDlgClassButton, "OK", 0, kAboutOk, 178, 7, 50, 14},
};

} // namespace

const DLGTEMPLATEDATA g_quindleDialogs[] = {
    {IDD_MAIN, TRUE, kMainStyle, WS_EX_APPWINDOW, 0, 0, 319, 167, "Quindle", kTemplatePointSize, 0, 0,
     kDefaultCharSet, kDialogFace, g_mainItems, int(sizeof(g_mainItems) / sizeof(g_mainItems[0]))},
    {IDD_ABOUTBOX, FALSE, kAboutStyle, 0, 0, 0, 235, 55, "Quindleのﾊﾞｰｼﾞｮﾝ情報", kTemplatePointSize, 0, 0,
     kDefaultCharSet, kDialogFace, g_aboutItems, int(sizeof(g_aboutItems) / sizeof(g_aboutItems[0]))},
};

const int g_quindleDialogCount = int(sizeof(g_quindleDialogs) / sizeof(g_quindleDialogs[0]));
