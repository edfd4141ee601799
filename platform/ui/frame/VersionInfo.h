// The version block as data: the fixed part (versions, flags, file type),
// one string table of key/value pairs and its translation entry.
//
// Left out: more than one string table; nothing in the program reads the
// block but its tests and whoever looks at the program's resources.
#pragma once

#include "platform/core/Types.h"

struct VERSIONSTRINGDATA {
    const char* pszKey;
    const char* pszValue;
};

struct VERSIONINFODATA {
    WORD wFileVersion[4];
    WORD wProductVersion[4];
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    const char* pszStringTable; // language and code page, as "041104b0"
    const VERSIONSTRINGDATA* pStrings;
    int nStrings;
    WORD wLanguage; // the translation entry
    WORD wCodePage;
};

constexpr DWORD VOS__WINDOWS32 = 0x00000004;
constexpr DWORD VFT_APP = 0x00000001;
constexpr DWORD VFT2_UNKNOWN = 0x00000000;

// The program's version block.
const VERSIONINFODATA& AfxGetVersionInfo();

// The value of sKey in the block's string table, or nullptr.
const char* AfxFindVersionString(const char* pszKey);
