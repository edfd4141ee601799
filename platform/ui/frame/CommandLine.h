// The process's command line. AfxWinMain reads it before it opens the
// display, so that asking for the version or the usage never needs one and
// never opens a window. Two options are known: --help (or -h) prints the
// program's usage text, --version its name and version from the version
// block; anything else is a usage error.
//
// Left out: option values, file arguments, the original platform's /flags.
#pragma once

#include <cstdio>

#include "platform/core/String.h"

class CCommandLineInfo {
public:
    enum { RunProgram, ShowHelp, ShowVersion, BadArgument };

    virtual ~CCommandLineInfo() = default;

    // One argument as given, from the first after the program's name.
    virtual void ParseParam(const char* pszParam);

    int m_nShellCommand = RunProgram;
    CString m_strBadArgument; // the first argument not understood
};

// Feeds argv[1] to argv[argc - 1] to rInfo.ParseParam.
void AfxParseCommandLine(CCommandLineInfo& rInfo, int argc, char* argv[]);

// Returned by AfxRunShellCommand when the program should go on and open its window.
constexpr int kShellContinue = -1;
// The exit status of a command line the program does not understand.
constexpr int kExitUsage = 2;

// Does what rInfo asks for that needs no display: the usage on pOut (0), the
// version on pOut (0), or one line and the usage on pErr (kExitUsage). A
// failed write ends with status 1 and one line on pErr. kShellContinue when
// the program should run.
int AfxRunShellCommand(const CCommandLineInfo& rInfo, FILE* pOut, FILE* pErr);

// "<name> <major>.<minor>", from the version block (the About box's version).
CString AfxGetVersionText();
