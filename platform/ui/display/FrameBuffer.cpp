#include "platform/ui/display/FrameBuffer.h"

namespace {

class CSurfaceFrameBuffer : public CFrameBuffer {
public:
    explicit CSurfaceFrameBuffer(SDL_Window* pWindow) : m_pWindow(pWindow) {}
    // SDL makes the surface again when the window's size changed.
    SDL_Surface* GetSurface() override { return SDL_GetWindowSurface(m_pWindow); }
    void Present(const SDL_Rect& rc) override { SDL_UpdateWindowSurfaceRects(m_pWindow, &rc, 1); }

private:
    SDL_Window* m_pWindow;
};

} // namespace

std::unique_ptr<CFrameBuffer> AfxMakeSurfaceFrameBuffer(SDL_Window* pWindow)
{
    return std::unique_ptr<CFrameBuffer>(new CSurfaceFrameBuffer(pWindow));
}
