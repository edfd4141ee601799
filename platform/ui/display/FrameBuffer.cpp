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

class CRendererFrameBuffer : public CFrameBuffer {
public:
    // Made before the window is shown: SDL may have to make the window again
    // for the renderer's kind of drawing.
    explicit CRendererFrameBuffer(SDL_Window* pWindow) : m_pRenderer(SDL_CreateRenderer(pWindow, -1, 0)) {}
    ~CRendererFrameBuffer() override
    {
        SDL_FreeSurface(m_pSurface);
        if (m_pTexture)
            SDL_DestroyTexture(m_pTexture);
        if (m_pRenderer)
            SDL_DestroyRenderer(m_pRenderer);
    }

    SDL_Surface* GetSurface() override
    {
        int cx = 0;
        int cy = 0;
        if (!m_pRenderer || SDL_GetRendererOutputSize(m_pRenderer, &cx, &cy) != 0 || cx <= 0 || cy <= 0)
            return nullptr;
        if (!m_pSurface || m_pSurface->w != cx || m_pSurface->h != cy)
            Remake(cx, cy);
        return m_pSurface;
    }

    void Present(const SDL_Rect& rc) override
    {
        if (!m_pTexture)
            return;
        const Uint8* pPixels = static_cast<const Uint8*>(m_pSurface->pixels) + rc.y * m_pSurface->pitch + rc.x * 4;
        SDL_UpdateTexture(m_pTexture, &rc, pPixels, m_pSurface->pitch);
        // The back buffer is not kept between presents: the whole picture goes each time.
        SDL_RenderCopy(m_pRenderer, m_pTexture, nullptr, nullptr);
        SDL_RenderPresent(m_pRenderer);
    }

private:
    void Remake(int cx, int cy)
    {
        SDL_FreeSurface(m_pSurface);
        if (m_pTexture)
            SDL_DestroyTexture(m_pTexture);
        m_pSurface = SDL_CreateRGBSurfaceWithFormat(0, cx, cy, 32, SDL_PIXELFORMAT_RGB888);
        m_pTexture = SDL_CreateTexture(m_pRenderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, cx, cy);
        if (!m_pSurface || !m_pTexture) {
            SDL_FreeSurface(m_pSurface);
            m_pSurface = nullptr;
        }
    }

    SDL_Renderer* m_pRenderer;
    SDL_Texture* m_pTexture = nullptr;
    SDL_Surface* m_pSurface = nullptr;
};

} // namespace

std::unique_ptr<CFrameBuffer> AfxMakeSurfaceFrameBuffer(SDL_Window* pWindow)
{
    return std::unique_ptr<CFrameBuffer>(new CSurfaceFrameBuffer(pWindow));
}

std::unique_ptr<CFrameBuffer> AfxMakeRendererFrameBuffer(SDL_Window* pWindow)
{
    return std::unique_ptr<CFrameBuffer>(new CRendererFrameBuffer(pWindow));
}
