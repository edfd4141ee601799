#include "platform/ui/display/DeviceScale.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>

#include "platform/core/Quote.h"
#include "platform/gdi/GdiData.h"

namespace {

constexpr double kBaseDpi = 96.0;
// Output scales within this of a whole number count as that number.
constexpr double kScaleTolerance = 1e-6;

bool IsSet(const char* pszValue)
{
    return pszValue && *pszValue;
}

void Warn(std::vector<std::string>* pWarnings, const std::string& line)
{
    if (pWarnings)
        pWarnings->push_back(line);
}

// A whole scale 1 .. kMaxDeviceScale from a variable; 0 when unset or invalid.
int ParseScale(const char* pszName, const char* pszValue, std::vector<std::string>* pWarnings)
{
    if (!IsSet(pszValue))
        return 0;
    char* pEnd = nullptr;
    errno = 0;
    const long n = std::strtol(pszValue, &pEnd, 10);
    while (*pEnd == ' ' || *pEnd == '\t')
        ++pEnd;
    if (errno == 0 && pEnd != pszValue && *pEnd == '\0' && n >= 1 && n <= kMaxDeviceScale)
        return int(n);
    Warn(pWarnings, std::string(pszName) + "=\"" + AfxQuoteText(pszValue) + "\" is not a scale from 1 to "
                        + std::to_string(kMaxDeviceScale) + "; ignored");
    return 0;
}

int ScaleFromDpi(const char* pszDpi, std::vector<std::string>* pWarnings)
{
    if (!IsSet(pszDpi))
        return 0;
    char* pEnd = nullptr;
    const double dpi = std::strtod(pszDpi, &pEnd);
    while (*pEnd == ' ' || *pEnd == '\t')
        ++pEnd;
    if (pEnd == pszDpi || *pEnd != '\0' || !std::isfinite(dpi) || dpi <= 0) {
        Warn(pWarnings, std::string("Xft.dpi \"") + AfxQuoteText(pszDpi) + "\" is not a resolution; ignored");
        return 0;
    }
    return AfxClampScale(int(std::min(std::floor(dpi / kBaseDpi), double(kMaxDeviceScale))));
}

int ScaleFromOutput(double dScale)
{
    if (!(dScale > 0))
        return 0;
    return AfxClampScale(int(std::min(std::ceil(dScale - kScaleTolerance), double(kMaxDeviceScale))));
}

} // namespace

DEVICESCALESOURCES AfxDeviceScaleEnvironment()
{
    DEVICESCALESOURCES sources;
    sources.pszQuindleScale = std::getenv("QUINDLE_SCALE");
    sources.pszGdkScale = std::getenv("GDK_SCALE");
    return sources;
}

int AfxChooseDeviceScale(const DEVICESCALESOURCES& sources, std::vector<std::string>* pWarnings)
{
    int nScale = ParseScale("QUINDLE_SCALE", sources.pszQuindleScale, pWarnings);
    if (nScale == 0 && sources.nKeptZoom >= 1 && sources.nKeptZoom <= kMaxDeviceScale)
        nScale = sources.nKeptZoom;
    if (nScale == 0)
        nScale = ParseScale("GDK_SCALE", sources.pszGdkScale, pWarnings);
    if (nScale == 0)
        nScale = ScaleFromDpi(sources.pszXftDpi, pWarnings);
    if (nScale == 0)
        nScale = ScaleFromOutput(sources.dOutputScale);
    return nScale == 0 ? 1 : nScale;
}

int AfxGetDeviceScale(const DEVICESCALESOURCES& sources)
{
    std::vector<std::string> warnings;
    const int nScale = AfxChooseDeviceScale(sources, &warnings);
    // Every window asks; a bad setting is worth saying once.
    static std::mutex mutex;
    static std::set<std::string>* pSaid = new std::set<std::string>;
    std::lock_guard<std::mutex> lock(mutex);
    for (const std::string& line : warnings) {
        if (pSaid->insert(line).second)
            std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, line.c_str());
    }
    return nScale;
}
