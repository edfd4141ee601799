// The program's string table.
#pragma once

#include "platform/core/StringTable.h"

extern const AFX_STRING_ENTRY g_quindleStrings[];
extern const int g_quindleStringCount;
