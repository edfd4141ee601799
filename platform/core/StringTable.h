// The program's string resources. The program supplies the table it ships
// (Resources.h); tests may put another in its place.
#pragma once

#include "platform/core/Types.h"

struct AFX_STRING_ENTRY {
    UINT nID;
    const char* pszText;
};

// The string with identifier nID, or nullptr when the table has none.
const char* AfxFindStringResource(UINT nID);

// Replaces the string table; nullptr puts the program's own back.
void AfxSetStringTable(const AFX_STRING_ENTRY* pEntries, int nCount);
