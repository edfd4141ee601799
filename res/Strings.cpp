#include "res/Strings.h"

#include "res/resource.h"

const AFX_STRING_ENTRY g_quindleStrings[] = {
    {IDS_ABOUTBOX, "Quindle のﾊﾞｰｼﾞｮﾝ情報(&A)..."},
    {IDS_SOUND, "&Sound"},
    {IDS_FULLSCREEN, "&Fullscreen"},
    {IDS_ZOOMIN, "Zoom &In"},
    {IDS_ZOOMOUT, "Zoom &Out"},
    {IDS_ZOOMRESET, "Automatic Si&ze"},
};

const int g_quindleStringCount = int(sizeof(g_quindleStrings) / sizeof(g_quindleStrings[0]));
