// Inside platform/ui: what differs between the display systems SDL runs on
// (X11, Wayland, and none at all under SDL's dummy driver), behind one seam,
// one file per system. The rest of the window layer never asks which one it
// runs on.
//
// Each system tells SDL what it needs before SDL starts it, binds itself to
// the connection behind our first window, and prepares the message loop's
// sleep on that connection: PrepareWait does what the protocol asks before
// sleeping and gives the descriptor to sleep on; FinishWait reads what
// arrived. What they read goes into the input queue (Input.h). When the connection is gone (the X server or the compositor
// ended), the system says so once and ends the process: nothing of a window
// can be shown any more, and no thread must keep the process alive.
//
// The wake-up from other threads is not here: the loop's own eventfd serves
// every system alike.
#pragma once

#include <memory>

#include <SDL.h>

#include "platform/core/Types.h"

struct SDL_Window;
struct DEVICESCALESOURCES;
class CFrameBuffer;
class CNativeWindow;

class CDisplaySystem {
public:
    virtual ~CDisplaySystem() = default;

    // SDL's name of the video driver ("x11", "wayland").
    virtual const char* GetDriverName() const = 0;
    // Hints this driver needs, set before SDL starts it.
    virtual void PrepareStart() const {}
    // Starts the system for SDL's driver pszDriver: SDL's video with that
    // driver unless the system has a client of its own; FALSE when it
    // cannot. Stop undoes it.
    virtual BOOL Start(const char* pszDriver);
    virtual void Stop();
    // A hidden window of cx x cy (in the window system's coordinates);
    // nullptr when none can be made. An SDL window unless the system says otherwise.
    virtual std::unique_ptr<CNativeWindow> CreateWindow(const char* pszTitle, int cx, int cy, BOOL bInTaskbar);
    // For SDL windows: binds to the connection behind pWindow, the first window of ours.
    virtual void Attach(SDL_Window* pWindow) = 0;
    // What this system tells of the scale pWindow should draw at (Xft.dpi on
    // X11, the output's scale on Wayland).
    virtual void GetScaleSources(CNativeWindow* pWindow, DEVICESCALESOURCES* pSources) const;
    // For SDL windows: what pWindow paints into, its window surface.
    virtual std::unique_ptr<CFrameBuffer> MakeFrameBuffer(SDL_Window* pWindow) const;
    // For SDL windows: makes pDialog, not yet shown, a dialog of pOwner:
    // it stays above its owner, and the window manager treats it as a dialog.
    virtual void MakeDialogOf(SDL_Window* pDialog, SDL_Window* pOwner) const;
    // Whether any window of ours has the keyboard focus now.
    virtual BOOL AnyWindowHasKeyboardFocus() const;
    // Before sleeping: FALSE when events are already waiting (the loop must
    // not sleep); else TRUE with *pFd the descriptor to sleep on (or -1).
    // A TRUE answer must be followed by FinishWait.
    virtual BOOL PrepareWait(int* pFd) = 0;
    // What to wait for on that descriptor: POLLIN, with POLLOUT while
    // requests wait for room to go.
    virtual short GetWaitEvents() const;
    // After sleeping: what the poll said of the descriptor.
    virtual void FinishWait(short nRevents) = 0;
    // Whether the connection has been found gone.
    virtual BOOL IsLost() const { return FALSE; }
    // Shows or hides the pointer over the program's windows.
    virtual void ShowPointer(BOOL bShow);
};

// The system for SDL's driver pszDriver: X11, Wayland, or one with no
// connection (any other driver). Never null; lives for the process.
CDisplaySystem* AfxMakeDisplaySystem(const char* pszDriver);
CDisplaySystem* AfxMakeX11DisplaySystem();
CDisplaySystem* AfxMakeWaylandDisplaySystem();
// What Xlib reads from the environment, set before any thread starts
// (AfxPrepareDisplayEnvironment); nothing else changes the environment.
void AfxPrepareX11Environment();

// The system the program runs on (the one with no connection until
// AfxWinInit has chosen one); window thread only.
CDisplaySystem& AfxGetDisplaySystem();
void AfxSetDisplaySystem(CDisplaySystem* pSystem);

// The display went away: one line on stderr, and the process ends at once
// with a failure status.
[[noreturn]] void AfxDisplayLost();
// The display refused what we asked (a Wayland protocol error): pszWhat on
// one line, and the process ends at once with a failure status.
[[noreturn]] void AfxDisplayRefused(const char* pszWhat);
