// The program's version block (platform/core/Resources.h), for the About box and --version.
#include "platform/ui/frame/VersionInfo.h"

#include <cstring>

#include "platform/core/Resources.h"

const VERSIONINFODATA& AfxGetVersionInfo()
{
    return *AfxProgramResources().pVersion;
}

const char* AfxFindVersionString(const char* pszKey)
{
    const VERSIONINFODATA& info = AfxGetVersionInfo();
    for (int i = 0; pszKey && i < info.nStrings; ++i) {
        if (std::strcmp(info.pStrings[i].pszKey, pszKey) == 0)
            return info.pStrings[i].pszValue;
    }
    return nullptr;
}
