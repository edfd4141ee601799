// Inside platform/ui: the role that makes a Wayland window's surface a
// desktop window, one of two kinds:
//   xdg-shell    our own xdg_toplevel, with server-side decorations asked
//                for where the compositor offers them (sway, KDE); a
//                compositor that answers "client side" gets the other kind
//   libdecor     where it does not (weston, GNOME): libdecor's frame, its
//                title bar and buttons drawn beside our surface, which stays
//                the content area and keeps our buffers
// Either tells its window of each configure and of the close button.
#pragma once

#include "platform/core/Types.h"

struct wl_surface;
class CWaylandConnection;
class CWaylandWindow;

class CWaylandShell {
public:
    virtual ~CWaylandShell() = default;
    virtual void SetTitle(const char* pszTitle) = 0;
    // The window's one size. With bLimit, minimum = maximum: it cannot be
    // resized (a tiling compositor floats it); without, while fullscreen,
    // which takes the output's size, no limits.
    virtual void SetFixedSize(int cx, int cy, BOOL bLimit) = 0;
    virtual void SetParent(CWaylandShell* pParent) = 0;
    virtual void SetFullscreen(BOOL bFullscreen) = 0;
    virtual void SetMinimized() = 0;
    // Asks for the first configure; the window shows with its first buffer after it.
    virtual void Map() = 0;
};

// The shell role that suits the compositor for pWindow's surface.
CWaylandShell* AfxMakeWaylandShell(CWaylandConnection* pConnection, CWaylandWindow* pWindow);
// A frame of the client's own: libdecor's where it loads, else our toplevel with none.
CWaylandShell* AfxMakeClientFrameShell(CWaylandConnection* pConnection, CWaylandWindow* pWindow);
CWaylandShell* AfxMakeXdgShell(CWaylandConnection* pConnection, CWaylandWindow* pWindow, BOOL bAskServerFrame);
CWaylandShell* AfxMakeDecorShell(CWaylandConnection* pConnection, CWaylandWindow* pWindow);
