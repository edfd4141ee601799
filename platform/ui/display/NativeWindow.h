// Inside platform/ui: a top-level window as the display system makes it,
// all the window layer asks of one: an SDL window on X11 (and under SDL's
// dummy driver), our own toplevel on Wayland (wayland/). Sizes and places
// are in the window system's coordinates (points on a scaled Wayland
// output); the window layer maps them to its logical pixels.
//
// Its input reaches the message loop as SDL events carrying GetID().
#pragma once

#include <SDL.h>

#include "platform/core/Rect.h"
#include "platform/core/Types.h"

class CFrameBuffer;

class CNativeWindow {
public:
    virtual ~CNativeWindow() = default;

    virtual Uint32 GetID() const = 0;
    virtual void Show() = 0;
    virtual void GetSize(int* pcx, int* pcy) const = 0;
    virtual void GetSizeInPixels(int* pcx, int* pcy) const = 0;
    virtual void SetSize(int cx, int cy) = 0;
    // Minimum = maximum = cx x cy: the user cannot resize it, and a tiling
    // window manager floats it instead of stretching it.
    virtual void SetFixedSize(int cx, int cy) = 0;
    // Where its client area is on the screen; (0, 0) where nobody can know (Wayland).
    virtual void GetPosition(int* px, int* py) const = 0;
    virtual void SetPosition(int x, int y) = 0;
    // The frame's borders around the client; FALSE when unknown.
    virtual BOOL GetBordersSize(int* pTop, int* pLeft, int* pBottom, int* pRight) const = 0;
    virtual void SetIcon(SDL_Surface* pIcon) = 0;
    // The window it belongs to and stays above (a modal dialog's owner),
    // asked before it is first shown: a dialog of that window to the window
    // manager (transient and of the dialog type on X11, the toplevel's
    // parent on Wayland).
    virtual void SetParent(CNativeWindow* pParent) = 0;
    virtual BOOL IsMinimized() const = 0;
    // Fullscreen on its screen, or back; the new size comes as SIZE_CHANGED.
    virtual void SetFullscreen(BOOL bFullscreen) = 0;
    // The work area (its screen less the panels) of the screen it is on;
    // empty when the system cannot tell.
    virtual CRect GetWorkArea() const = 0;
    // It was just sized to cx x cy: keeps it wholly on its screen's work
    // area, where it is when it fits there, else centred on it. bShown: it
    // is on the screen already.
    virtual void KeepOnScreen(int cx, int cy, BOOL bShown) = 0;
    virtual BOOL HasKeyboardFocus() const = 0;
    // Only ever asked for from another of our windows.
    virtual void TakeKeyboardFocus() = 0;
    // The refresh rate of its display in Hz, 0 when unknown.
    virtual UINT GetRefreshRate() const = 0;
    // What it paints into; never null.
    virtual CFrameBuffer* GetFrameBuffer() = 0;
    // Whether a new picture would reach the screen now. On Wayland, not
    // until the compositor's frame callback for the last one has come.
    virtual BOOL CanPresent() const { return TRUE; }
};
