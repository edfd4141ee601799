#include "res/Strings.h"

#include "res/resource.h"

const AFX_STRING_ENTRY g_quindleStrings[] = {
    {IDS_ABOUTBOX, "Quindle のﾊﾞｰｼﾞｮﾝ情報(&A)..."},
    {IDS_FULLSCREEN, "全画面表示(&F)"},
    {IDS_ZOOMIN, "拡大(&I)"},
    {IDS_ZOOMOUT, "縮小(&O)"},
    {IDS_ZOOMRESET, "標準の大きさ(&R)"},
};

const int g_quindleStringCount = int(sizeof(g_quindleStrings) / sizeof(g_quindleStrings[0]));
