// Xft.dpi from any resource database text (what xrdb keeps on the root
// window, which any client may set): the value found is never longer than
// the text, and turned into a scale it gives 1 .. 4 with at most one short
// warning line.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/ui/display/DeviceScale.h"
#include "platform/ui/display/XftDpi.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::string text(reinterpret_cast<const char*>(pData), nSize);
    const std::string dpi = AfxXftDpiFromResources(text.c_str());
    if (dpi.size() > text.size())
        std::abort();
    DEVICESCALESOURCES sources;
    sources.pszXftDpi = dpi.c_str();
    std::vector<std::string> warnings;
    const int nScale = AfxChooseDeviceScale(sources, &warnings);
    if (nScale < 1 || nScale > kMaxDeviceScale || warnings.size() > 1)
        std::abort();
    if (!warnings.empty() && (warnings[0].size() > 200 || warnings[0].find('\n') != std::string::npos))
        std::abort();
    return 0;
}
