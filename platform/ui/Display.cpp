// Opening and closing the display: SDL's video subsystem.
#include <SDL.h>

#include <cstring>

#include "platform/ui/WinApp.h"

namespace {

// The driver whose connection the message loop can wait on.
constexpr const char* kDisplayDriver = "x11";

BOOL DriverAskedFor()
{
    const char* pszAsked = SDL_getenv("SDL_VIDEODRIVER");
    return pszAsked && *pszAsked;
}

} // namespace

BOOL AfxWinInit()
{
    // Without this SDL backs the window surface with an OpenGL texture, which
    // more than doubles the time to the first paint and to each present.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Closing windows is the dialogs' business, not a reason to quit.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // The message loop waits on the X connection: X11 is the driver, unless
    // SDL_VIDEODRIVER (which overrides this hint) asks for another.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, kDisplayDriver);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return FALSE;
    // Asked for nothing, SDL may fall back to drivers that show nothing (its
    // invisible "offscreen" one) when there is no X display: that is no display.
    const char* pszDriver = SDL_GetCurrentVideoDriver();
    if (!DriverAskedFor() && (!pszDriver || std::strcmp(pszDriver, kDisplayDriver) != 0)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return FALSE;
    }
    // No text input is read: keep input methods out of the way.
    SDL_StopTextInput();
    return TRUE;
}

void AfxWinTerm()
{
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
