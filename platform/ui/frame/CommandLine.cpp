#include "platform/ui/frame/CommandLine.h"

#include <cerrno>
#include <cstring>

#include "platform/core/Quote.h"
#include "platform/core/Resources.h"
#include "platform/ui/frame/VersionInfo.h"

namespace {

constexpr int kExitWriteFailed = 1;

int Finish(FILE* pStream, FILE* pErr, int nStatus)
{
    // A full disk or a closed pipe must not pass for a printed answer.
    if (std::fflush(pStream) != 0 || std::ferror(pStream)) {
        std::fprintf(pErr, "%s: cannot write the output: %s\n", program_invocation_short_name,
                     std::strerror(errno));
        return kExitWriteFailed;
    }
    return nStatus;
}

} // namespace

void CCommandLineInfo::ParseParam(const char* pszParam)
{
    if (m_nShellCommand == BadArgument)
        return;
    if (std::strcmp(pszParam, "--help") == 0 || std::strcmp(pszParam, "-h") == 0)
        m_nShellCommand = ShowHelp;
    else if (std::strcmp(pszParam, "--version") == 0) {
        if (m_nShellCommand != ShowHelp)
            m_nShellCommand = ShowVersion;
    } else {
        m_nShellCommand = BadArgument;
        m_strBadArgument = pszParam;
    }
}

void AfxParseCommandLine(CCommandLineInfo& rInfo, int argc, char* argv[])
{
    for (int i = 1; i < argc && argv[i]; ++i)
        rInfo.ParseParam(argv[i]);
}

int AfxRunShellCommand(const CCommandLineInfo& rInfo, FILE* pOut, FILE* pErr)
{
    switch (rInfo.m_nShellCommand) {
    case CCommandLineInfo::ShowHelp:
        std::fputs(AfxProgramResources().pszUsage, pOut);
        return Finish(pOut, pErr, 0);
    case CCommandLineInfo::ShowVersion:
        std::fprintf(pOut, "%s\n", static_cast<const char*>(AfxGetVersionText()));
        return Finish(pOut, pErr, 0);
    case CCommandLineInfo::BadArgument: {
        const char* pszArg = rInfo.m_strBadArgument;
        const char* pszWhat = pszArg[0] == '-' ? "unknown option" : "unexpected argument";
        // Quoted short: a huge argument must not become a huge line.
        std::fprintf(pErr, "%s: %s '%s'\n%s", program_invocation_short_name, pszWhat, AfxQuoteText(pszArg).c_str(),
                     AfxProgramResources().pszUsage);
        return Finish(pErr, pErr, kExitUsage);
    }
    default:
        return kShellContinue;
    }
}

CString AfxGetVersionText()
{
    const VERSIONINFODATA& info = AfxGetVersionInfo();
    const char* pszName = AfxFindVersionString("InternalName");
    char szText[128];
    std::snprintf(szText, sizeof(szText), "%s %u.%u", pszName ? pszName : "", unsigned(info.wProductVersion[0]),
                  unsigned(info.wProductVersion[1]));
    return CString(szText);
}
