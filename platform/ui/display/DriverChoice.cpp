#include "platform/ui/display/DriverChoice.h"

namespace {

constexpr const char* kX11 = "x11";
constexpr const char* kWayland = "wayland";

} // namespace

std::vector<std::string> AfxChooseVideoDrivers(const char* pszAsked, BOOL bWaylandDisplay, BOOL bXDisplay)
{
    std::vector<std::string> drivers;
    if (pszAsked && *pszAsked)
        drivers.push_back(pszAsked);
    else if (bWaylandDisplay)
        drivers.push_back(kWayland);
    else if (bXDisplay)
        drivers.push_back(kX11);
    if (!drivers.empty() && drivers[0] == kWayland && bXDisplay)
        drivers.push_back(kX11);
    else if (!drivers.empty() && drivers[0] == kX11 && bWaylandDisplay)
        drivers.push_back(kWayland);
    return drivers;
}
