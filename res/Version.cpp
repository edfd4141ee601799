#include "res/Version.h"

namespace {

const VERSIONSTRINGDATA g_strings[] = {
    {"Comments", ""},
    {"CompanyName", ""},
    {"FileDescription", "Quindle MFC ｱﾌﾟﾘｹｰｼｮﾝ"},
    {"FileVersion", "1, 0, 0, 2"},
    {"InternalName", "Quindle"},
    {"LegalTrademarks", ""},
    {"OriginalFilename", "Quindle.EXE"},
    {"PrivateBuild", ""},
    {"ProductName", "Quindle ｱﾌﾟﾘｹｰｼｮﾝ"},
    {"ProductVersion", "1, 0, 0, 2"},
    {"SpecialBuild", ""},
};

} // namespace

const VERSIONINFODATA g_quindleVersion = {
    {1, 0, 0, 2},
    {1, 0, 0, 2},
    0x3F,
    0,
    VOS__WINDOWS32,
    VFT_APP,
    VFT2_UNKNOWN,
    "041104b0",
    g_strings,
    int(sizeof(g_strings) / sizeof(g_strings[0])),
    0x0411,
    0x04B0,
};
