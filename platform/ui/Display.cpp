// Opening and closing the display: choosing SDL's video driver and starting it.
#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/ui/DisplaySystem.h"
#include "platform/ui/WinApp.h"

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

// The drivers to try, in order: the one asked for (SDL_VIDEODRIVER), else
// Wayland in a Wayland session and X11 where there is an X display; the other
// of the two comes second when its display is there too (XWayland).
std::vector<std::string> DriversToTry()
{
    const BOOL bWayland = IsSet("WAYLAND_DISPLAY");
    const BOOL bX11 = IsSet("DISPLAY");
    std::vector<std::string> drivers;
    if (IsSet("SDL_VIDEODRIVER"))
        drivers.push_back(std::getenv("SDL_VIDEODRIVER"));
    else if (bWayland)
        drivers.push_back(kWayland);
    else if (bX11)
        drivers.push_back(kX11);
    if (!drivers.empty() && drivers[0] == kWayland && bX11)
        drivers.push_back(kX11);
    else if (!drivers.empty() && drivers[0] == kX11 && bWayland)
        drivers.push_back(kWayland);
    return drivers;
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

BOOL AfxWinInit()
{
    // Closing windows is the dialogs' business, not a reason to quit.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint("SDL_VIDEO_X11_WMCLASS", kAppId);
    SDL_SetHint("SDL_VIDEO_WAYLAND_WMCLASS", kAppId);
    for (const std::string& driver : DriversToTry()) {
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
