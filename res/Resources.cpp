// The program's resource table, as the framework reads it.
#include "platform/core/Resources.h"

#include "res/Dialogs.h"
#include "res/Icon.h"
#include "res/Strings.h"
#include "res/Usage.h"
#include "res/Version.h"

// The build names the program's id once (QUINDLE_APP_ID); its desktop entry
// and metainfo carry the same.
#ifndef QUINDLE_APP_ID
#error "the build defines QUINDLE_APP_ID"
#endif

const AFX_RESOURCE_TABLE& AfxProgramResources()
{
    static const AFX_RESOURCE_TABLE table = {
        g_quindleStrings, g_quindleStringCount, g_quindleDialogs, g_quindleDialogCount,
        g_quindleIcons,   g_quindleIconCount,   &g_quindleVersion, g_quindleUsage,
        QUINDLE_APP_ID,
    };
    return table;
}
