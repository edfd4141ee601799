// Inside platform/ui: what differs between the display systems SDL runs on
// (X11, Wayland, and none at all under SDL's dummy driver), behind one seam,
// one file per system. The rest of the window layer never asks which one it
// runs on.
//
// Each system tells SDL what it needs before SDL starts it, binds itself to
// the connection behind our first window, and prepares the message loop's
// sleep on that connection: PrepareWait does what the protocol asks before
// sleeping and gives the descriptor to sleep on; FinishWait reads what
// arrived. When the connection is gone (the X server or the compositor
// ended), the system says so once and ends the process: nothing of a window
// can be shown any more, and no thread must keep the process alive.
//
// The wake-up from other threads is not here: the loop's own eventfd serves
// every system alike.
#pragma once

#include <memory>

#include "platform/core/Types.h"

struct SDL_Window;
struct DEVICESCALESOURCES;
class CFrameBuffer;

class CDisplaySystem {
public:
    virtual ~CDisplaySystem() = default;

    // SDL's name of the video driver ("x11", "wayland").
    virtual const char* GetDriverName() const = 0;
    // Hints this driver needs, set before SDL starts it.
    virtual void PrepareStart() const {}
    // Binds to the connection behind pWindow, the first window of ours.
    virtual void Attach(SDL_Window* pWindow) = 0;
    // What this system tells of the scale pWindow should draw at (Xft.dpi on
    // X11, the output's scale on Wayland).
    virtual void GetScaleSources(SDL_Window* pWindow, DEVICESCALESOURCES* pSources) const;
    // What pWindow paints into: its window surface unless the system says otherwise.
    virtual std::unique_ptr<CFrameBuffer> MakeFrameBuffer(SDL_Window* pWindow) const;
    // Before sleeping: FALSE when events are already waiting (the loop must
    // not sleep); else TRUE with *pFd the descriptor to sleep on (or -1).
    // A TRUE answer must be followed by FinishWait.
    virtual BOOL PrepareWait(int* pFd) = 0;
    // After sleeping: what the poll said of the descriptor.
    virtual void FinishWait(short nRevents) = 0;
    // The longest the loop may sleep now in ms, or -1 for no limit: a system
    // whose client makes key repeats itself needs its pump called while a
    // key is held.
    virtual int GetSleepLimit() const { return -1; }
    // Whether the connection has been found gone.
    virtual BOOL IsLost() const { return FALSE; }
    // The compositor gave pWindow a new state (focus, maximised or not). A
    // frame the client draws itself (libdecor's, on synchronised subsurfaces)
    // redraws for it and shows only with the window's next commit, which an
    // unchanged picture never makes: the system commits when it has to.
    virtual void StateConfigured(SDL_Window*) {}
};

// The system for SDL's driver pszDriver: X11, Wayland, or one with no
// connection (any other driver). Never null; lives for the process.
CDisplaySystem* AfxMakeDisplaySystem(const char* pszDriver);
CDisplaySystem* AfxMakeX11DisplaySystem();
CDisplaySystem* AfxMakeWaylandDisplaySystem();

// The system the program runs on (the one with no connection until
// AfxWinInit has chosen one); window thread only.
CDisplaySystem& AfxGetDisplaySystem();
void AfxSetDisplaySystem(CDisplaySystem* pSystem);

// The display went away: one line on stderr, and the process ends at once
// with a failure status.
[[noreturn]] void AfxDisplayLost();
