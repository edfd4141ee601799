// Inside platform/ui: the picture a window paints into and how it reaches
// the screen. Two kinds, chosen by the display system:
//   the window surface   SDL's own framebuffer of the window (on X11 a
//                        shared-memory image: the fastest way there is)
//   shared memory        on Wayland, our own wl_shm buffers
//                        (wayland/ShmFrameBuffer.h), with no GL at all
// Either way the picture is 32-bit XRGB, the format the drawing layer keeps
// end to end.
#pragma once

#include <SDL.h>

#include <memory>

class CFrameBuffer {
public:
    virtual ~CFrameBuffer() = default;
    // The picture, at the window's size in pixels; nullptr when there is none.
    virtual SDL_Surface* GetSurface() = 0;
    // Shows the part rc (in pixels) of the picture.
    virtual void Present(const SDL_Rect& rc) = 0;
};

std::unique_ptr<CFrameBuffer> AfxMakeSurfaceFrameBuffer(SDL_Window* pWindow);
