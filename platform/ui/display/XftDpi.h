// The X11 desktop's text resolution: the Xft.dpi entry of the resource
// database that xrdb keeps on the root window (xrdb -query shows it). Desktops
// set it to 192 and the like on HiDPI screens; DeviceScale.h turns it into a
// scale. Only this file's source includes Xlib.
#pragma once

#include <string>

typedef struct _XDisplay Display;

// The value of Xft.dpi on the display, empty when the display has no
// resource database or no such entry.
std::string AfxReadXftDpi(Display* pDisplay);

// The same from the text of a resource database (xrdb's format).
std::string AfxXftDpiFromResources(const char* pszResources);
