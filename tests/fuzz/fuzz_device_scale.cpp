// The device scale from any values of QUINDLE_SCALE, GDK_SCALE, Xft.dpi and
// the output's scale: the input is up to four strings split at NUL bytes, the
// fourth read as a number for the output scale. The scale is always 1 .. 4,
// each source gives at most one warning, every warning is one short line,
// and a plain valid value of the first source set decides.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/ui/display/DeviceScale.h"

namespace {

constexpr size_t kMaxWarningBytes = 200;

bool IsPlainScale(const char* psz)
{
    return psz && psz[0] >= '1' && psz[0] <= '4' && psz[1] == '\0';
}

bool IsOneShortLine(const std::string& line)
{
    if (line.size() > kMaxWarningBytes)
        return false;
    for (const unsigned char c : line) {
        if (c < 0x20 || c == 0x7F)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < nSize && parts.size() <= 4; ++i) {
        if (pData[i] == 0)
            parts.emplace_back();
        else
            parts.back() += char(pData[i]);
    }
    parts.resize(4);
    DEVICESCALESOURCES sources;
    sources.pszQuindleScale = parts[0].c_str();
    sources.pszGdkScale = parts[1].c_str();
    sources.pszXftDpi = parts[2].c_str();
    sources.dOutputScale = std::strtod(parts[3].c_str(), nullptr);

    std::vector<std::string> warnings;
    const int nScale = AfxChooseDeviceScale(sources, &warnings);
    if (nScale < 1 || nScale > kMaxDeviceScale || warnings.size() > 3)
        std::abort();
    for (const std::string& line : warnings) {
        if (!IsOneShortLine(line))
            std::abort();
    }
    if (IsPlainScale(sources.pszQuindleScale) && nScale != sources.pszQuindleScale[0] - '0')
        std::abort();
    if (parts[0].empty() && IsPlainScale(sources.pszGdkScale) && nScale != sources.pszGdkScale[0] - '0')
        std::abort();
    return 0;
}
