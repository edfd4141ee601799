// Inside platform/ui: which of SDL's video drivers the program tries, in
// order. The one asked for (SDL_VIDEODRIVER) comes first, else Wayland in a
// Wayland session and X11 where there is an X display; after Wayland or X11
// comes the other of the two when its display is there too (XWayland), so a
// driver that fails to start falls back. Empty when there is no display.
#pragma once

#include <string>
#include <vector>

#include "platform/core/Types.h"

std::vector<std::string> AfxChooseVideoDrivers(const char* pszAsked, BOOL bWaylandDisplay, BOOL bXDisplay);
