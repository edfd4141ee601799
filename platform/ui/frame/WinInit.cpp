// Opening and closing the display: starting the display system of the first video driver that works.
#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/core/Resources.h"
#include "platform/ui/display/DisplaySystem.h"
#include "platform/ui/display/DriverChoice.h"
#include "platform/ui/display/Input.h"
#include "platform/ui/input/GamepadSource.h"
#include "platform/ui/frame/WinApp.h"

namespace {

BOOL IsSet(const char* pszName)
{
    const char* pszValue = std::getenv(pszName);
    return pszValue && *pszValue;
}

BOOL StartDriver(const std::string& driver)
{
    CDisplaySystem* pSystem = AfxMakeDisplaySystem(driver.c_str());
    pSystem->PrepareStart();
    if (!pSystem->Start(driver.c_str()))
        return FALSE;
    AfxSetDisplaySystem(pSystem);
    return TRUE;
}

} // namespace

void AfxPrepareDisplayEnvironment()
{
    // The class desktops know the program by on X11, as the app id on Wayland.
    // SDL 2.26 reads it from the environment only, when its video starts; a
    // class the user set there stays.
    setenv("SDL_VIDEO_X11_WMCLASS", AfxProgramResources().pszAppId, 0);
    AfxPrepareX11Environment();
}

BOOL AfxWinInit()
{
    AfxPrepareDisplayEnvironment();
    // Closing windows is the dialogs' business, not a reason to quit.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    for (const std::string& driver :
         AfxChooseVideoDrivers(std::getenv("SDL_VIDEODRIVER"), IsSet("WAYLAND_DISPLAY"), IsSet("DISPLAY"))) {
        if (StartDriver(driver)) {
            // No text input is read: keep input methods out of the way.
            SDL_StopTextInput();
            // Controllers come up after the first picture (the message loop
            // starts them): their enumeration is no part of the first frame.
            return TRUE;
        }
    }
    return FALSE;
}

void AfxWinTerm()
{
    CGamepadSource::Get().Stop();
    AfxGetDisplaySystem().Stop();
    AfxClearInput();
    AfxSetDisplaySystem(nullptr);
}
