// The command line from any arguments (the input split at NUL bytes): the
// parse names the first argument it does not know, and the answer is the
// usage, the version or one short line before the usage, whatever the
// arguments hold.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/core/Quote.h"
#include "platform/ui/frame/CommandLine.h"

namespace {

constexpr size_t kMaxArgs = 64;

bool IsKnown(const std::string& arg)
{
    return arg == "--help" || arg == "-h" || arg == "--version";
}

// What pStream received; closes it.
std::string Take(FILE* pStream, char** ppBuffer, size_t* pnLength)
{
    std::fclose(pStream);
    std::string text(*ppBuffer, *pnLength);
    std::free(*ppBuffer);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    std::vector<std::string> args(1);
    for (size_t i = 0; i < nSize && args.size() <= kMaxArgs; ++i) {
        if (pData[i] == 0)
            args.emplace_back();
        else
            args.back() += char(pData[i]);
    }
    if (nSize == 0)
        args.clear();
    std::vector<char*> argv{const_cast<char*>("quindle")};
    for (std::string& arg : args)
        argv.push_back(&arg[0]);
    argv.push_back(nullptr);

    CCommandLineInfo info;
    AfxParseCommandLine(info, int(argv.size() - 1), argv.data());
    const std::string* pFirstUnknown = nullptr;
    for (const std::string& arg : args) {
        if (!IsKnown(arg)) {
            pFirstUnknown = &arg;
            break;
        }
    }
    if ((info.m_nShellCommand == CCommandLineInfo::BadArgument) != (pFirstUnknown != nullptr))
        std::abort();
    if (pFirstUnknown && info.m_strBadArgument != pFirstUnknown->c_str())
        std::abort();

    char *pOut = nullptr, *pErr = nullptr;
    size_t nOut = 0, nErr = 0;
    FILE* pOutStream = open_memstream(&pOut, &nOut);
    FILE* pErrStream = open_memstream(&pErr, &nErr);
    if (!pOutStream || !pErrStream)
        std::abort();
    const int nStatus = AfxRunShellCommand(info, pOutStream, pErrStream);
    const std::string out = Take(pOutStream, &pOut, &nOut);
    const std::string err = Take(pErrStream, &pErr, &nErr);
    if (pFirstUnknown) {
        // The program's name, the words, the quotes: well under 80 bytes, and
        // the quoted argument at most four bytes a character and "...".
        const std::string line = err.substr(0, err.find('\n'));
        const size_t nLimit = std::strlen(program_invocation_short_name) + 80 + 4 * kMaxQuotedChars;
        if (nStatus != kExitUsage || !out.empty() || err.find('\n') == std::string::npos || line.size() > nLimit)
            std::abort();
        for (const unsigned char c : line) {
            if (c < 0x20 || c == 0x7F)
                std::abort();
        }
    } else if (nStatus != 0 && nStatus != kShellContinue) {
        std::abort();
    }
    return 0;
}
