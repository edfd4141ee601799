// The program's resources as the framework reads them: its string table,
// dialog templates, icons, version block and usage text. A program's
// resources are linked into it, so here the program defines
// AfxProgramResources (res/ does) and the framework only reads the table it
// returns; nothing of the framework names the program's own data.
//
// The table's element types belong to the framework's layers that read them
// (StringTable.h here, the dialog templates, icons and version block in
// platform/ui); this header needs only their names.
#pragma once

struct AFX_STRING_ENTRY;
struct DLGTEMPLATEDATA;
struct ICONGROUPDATA;
struct VERSIONINFODATA;

struct AFX_RESOURCE_TABLE {
    const AFX_STRING_ENTRY* pStrings;
    int nStrings;
    const DLGTEMPLATEDATA* pDialogs;
    int nDialogs;
    const ICONGROUPDATA* pIcons;
    int nIcons;
    const VERSIONINFODATA* pVersion; // never null
    const char* pszUsage;            // what --help prints; never null
    // The name desktops know the program by (reverse DNS, as its desktop
    // entry's file name): every toplevel's Wayland app id, the X11 WM_CLASS.
    const char* pszAppId;            // never null
};

// Defined by the program: its resource table, which lives as long as the process.
const AFX_RESOURCE_TABLE& AfxProgramResources();
