// The X connection behind SDL's windows, for the message loop's wait: its
// descriptor, and whether events already sit in Xlib's queue (read there by
// an earlier call) so that waiting on the descriptor would miss them. This is
// the only file that includes X11 headers.
//
// Left out: other window systems; a window that is not an X11 window (SDL's
// dummy driver) has no connection.
#pragma once

struct SDL_Window;

struct XCONNECTION {
    void* pDisplay; // the Xlib Display, or nullptr
    int fd;         // its descriptor, or -1
};

// The X connection of pWindow, or {nullptr, -1} when there is none.
XCONNECTION AfxGetXConnection(SDL_Window* pWindow);

// Flushes requests, reads what the server has sent without blocking, and
// returns the count of events waiting in Xlib's queue.
int AfxXEventsPending(void* pDisplay);
