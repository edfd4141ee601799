// Inside platform/ui: a top window's size and place on its screen. The
// picture keeps its client size in logical pixels and draws at a whole scale:
// the player's zoom (1 .. GetMaxZoom, the largest whose window fits the work
// area) or, with none, the automatic one (DeviceScale.h), which a zoom kept
// from an earlier run replaces unless QUINDLE_SCALE says otherwise.
// Fullscreen draws the picture at the largest whole scale that fits the
// screen, centred in black. A window that grows stays wholly on its screen.
// Window thread only.
#pragma once

#include <SDL.h>

#include "platform/core/Rect.h"
#include "platform/core/Types.h"

class CNativeWindow;

class CWindowPlacement {
public:
    CWindowPlacement(int cxClient, int cyClient) : m_cxClient(cxClient), m_cyClient(cyClient) {}

    // Chooses the scale for pWindow and sizes it for that; TRUE when
    // anything changed, and what the window showed is then lost.
    BOOL Apply(CNativeWindow* pWindow, BOOL bShown);
    int GetScale() const { return m_nScale; }
    // Where the picture starts in the frame buffer, in pixels.
    CPoint GetOrigin() const { return m_ptOrigin; }
    // A point in the window's coordinates (the input's) as a client point.
    CPoint ClientPoint(int x, int y) const;

    BOOL IsFullscreen() const { return m_bFullscreen; }
    // Apply makes it so.
    void SetFullscreen(BOOL bFullscreen) { m_bFullscreen = bFullscreen; }
    // Whether the black around a fullscreen picture is still to be shown;
    // Present shows it once.
    BOOL IsBlackDue() const { return m_bBlackDue; }
    void OnBlackShown() { m_bBlackDue = FALSE; }

    int GetZoom() const { return m_nZoom; }
    int GetMaxZoom(const CNativeWindow* pWindow) const;
    // Whether nZoom can be had now (not in fullscreen, not out of range).
    BOOL CanZoom(int nZoom, const CNativeWindow* pWindow) const;
    // Apply makes it so; 0, the automatic scale again, forgets a kept zoom too.
    void SetZoom(int nZoom);
    void SetKeptZoom(int nZoom) { m_nKeptZoom = nZoom; }

    // The picture's part of pSurface, the frame buffer: all of it, or in
    // fullscreen a view of its centre (freed by the caller when it is not
    // pSurface), with the black around it drawn while that is due.
    SDL_Surface* MakePicture(SDL_Surface* pSurface) const;

private:
    int m_cxClient; // the client size in logical pixels
    int m_cyClient;
    int m_nScale = 1;
    int m_nBacking = 1; // pixels per window coordinate: a Wayland output's scale, else 1
    CPoint m_ptOrigin;
    BOOL m_bFullscreen = FALSE;
    BOOL m_bBlackDue = FALSE;
    int m_nZoom = 0;     // the zoom chosen in this run, 0 for none
    int m_nKeptZoom = 0; // the zoom kept from an earlier run, 0 for none
};
