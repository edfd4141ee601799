#include "platform/ui/XConnection.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

XCONNECTION AfxGetXConnection(SDL_Window* pWindow)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!pWindow || !SDL_GetWindowWMInfo(pWindow, &info) || info.subsystem != SDL_SYSWM_X11 || !info.info.x11.display)
        return XCONNECTION{nullptr, -1};
    return XCONNECTION{info.info.x11.display, ConnectionNumber(info.info.x11.display)};
}

int AfxXEventsPending(void* pDisplay)
{
    return pDisplay ? XEventsQueued(static_cast<Display*>(pDisplay), QueuedAfterFlush) : 0;
}
