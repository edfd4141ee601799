// The program's resource table, as the framework reads it.
#include "platform/core/Resources.h"

#include "res/Dialogs.h"
#include "res/Icon.h"
#include "res/Strings.h"
#include "res/Usage.h"
#include "res/Version.h"

const AFX_RESOURCE_TABLE& AfxProgramResources()
{
    static const AFX_RESOURCE_TABLE table = {
        g_quindleStrings, g_quindleStringCount, g_quindleDialogs, g_quindleDialogCount,
        g_quindleIcons,   g_quindleIconCount,   &g_quindleVersion, g_quindleUsage,
    };
    return table;
}
