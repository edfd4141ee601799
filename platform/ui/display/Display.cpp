// Opening and closing the display: choosing SDL's video driver and starting it.
#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/ui/display/DisplaySystem.h"
#include "platform/ui/display/DriverChoice.h"
#include "platform/ui/frame/WinApp.h"

namespace {

constexpr const char* kX11 = "x11";
constexpr const char* kWayland = "wayland";
// The class (X11) and application id (Wayland) desktops know the program by.
constexpr const char* kAppId = "quindle";

BOOL IsSet(const char* pszName)
{
    const char* pszValue = std::getenv(pszName);
    return pszValue && *pszValue;
}

BOOL StartDriver(const std::string& driver)
{
    CDisplaySystem* pSystem = AfxMakeDisplaySystem(driver.c_str());
    pSystem->PrepareStart();
    // Above SDL_VIDEODRIVER, so that a fall-back can override what was asked.
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, driver.c_str(), SDL_HINT_OVERRIDE);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return FALSE;
    // SDL may quietly start another driver than the one named (its invisible
    // "offscreen" one): that shows nothing, so it counts as a failure.
    const char* pszStarted = SDL_GetCurrentVideoDriver();
    if (!pszStarted || driver != pszStarted) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return FALSE;
    }
    AfxSetDisplaySystem(pSystem);
    return TRUE;
}

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

BOOL AfxWinInit()
{
    // Closing windows is the dialogs' business, not a reason to quit.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint("SDL_VIDEO_X11_WMCLASS", kAppId);
    SDL_SetHint("SDL_VIDEO_WAYLAND_WMCLASS", kAppId);
    for (const std::string& driver :
         AfxChooseVideoDrivers(std::getenv("SDL_VIDEODRIVER"), IsSet("WAYLAND_DISPLAY"), IsSet("DISPLAY"))) {
        if (StartDriver(driver)) {
            // No text input is read: keep input methods out of the way.
            SDL_StopTextInput();
            return TRUE;
        }
    }
    return FALSE;
}

void AfxWinTerm()
{
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    AfxSetDisplaySystem(nullptr);
}
