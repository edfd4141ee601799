// The native window on SDL's video: X11, and SDL's dummy driver in tests.
#include "platform/ui/display/SdlWindow.h"

#include "platform/ui/display/DisplaySystem.h"
#include "platform/ui/display/FrameBuffer.h"
#include "platform/ui/display/ScreenFit.h"

namespace {

class CSdlWindow : public CNativeWindow {
public:
    CSdlWindow(CDisplaySystem* pSystem, SDL_Window* pWindow, std::unique_ptr<CFrameBuffer> pFrameBuffer)
        : m_pSystem(pSystem), m_pWindow(pWindow), m_pFrameBuffer(std::move(pFrameBuffer))
    {
    }
    ~CSdlWindow() override
    {
        m_pFrameBuffer.reset();
        SDL_DestroyWindow(m_pWindow);
    }

    Uint32 GetID() const override { return SDL_GetWindowID(m_pWindow); }
    void Show() override { SDL_ShowWindow(m_pWindow); }
    void GetSize(int* pcx, int* pcy) const override { SDL_GetWindowSize(m_pWindow, pcx, pcy); }
    void GetSizeInPixels(int* pcx, int* pcy) const override { SDL_GetWindowSizeInPixels(m_pWindow, pcx, pcy); }
    void SetSize(int cx, int cy) override { SDL_SetWindowSize(m_pWindow, cx, cy); }
    void SetFixedSize(int cx, int cy) override
    {
        // SDL refuses a minimum above the maximum: the limit that gives way goes first.
        int cxMax = 0;
        int cyMax = 0;
        SDL_GetWindowMaximumSize(m_pWindow, &cxMax, &cyMax);
        if (cxMax > 0 && cx > cxMax) {
            SDL_SetWindowMaximumSize(m_pWindow, cx, cy);
            SDL_SetWindowMinimumSize(m_pWindow, cx, cy);
        } else {
            SDL_SetWindowMinimumSize(m_pWindow, cx, cy);
            SDL_SetWindowMaximumSize(m_pWindow, cx, cy);
        }
    }
    void GetPosition(int* px, int* py) const override { SDL_GetWindowPosition(m_pWindow, px, py); }
    void SetPosition(int x, int y) override { SDL_SetWindowPosition(m_pWindow, x, y); }
    BOOL GetBordersSize(int* pTop, int* pLeft, int* pBottom, int* pRight) const override
    {
        return SDL_GetWindowBordersSize(m_pWindow, pTop, pLeft, pBottom, pRight) == 0;
    }
    void SetIcon(SDL_Surface* pIcon) override { SDL_SetWindowIcon(m_pWindow, pIcon); }
    void SetParent(CNativeWindow* pParent) override
    {
        if (pParent)
            m_pSystem->MakeDialogOf(m_pWindow, static_cast<CSdlWindow*>(pParent)->m_pWindow);
    }
    BOOL IsMinimized() const override { return (SDL_GetWindowFlags(m_pWindow) & SDL_WINDOW_MINIMIZED) != 0; }
    void SetFullscreen(BOOL bFullscreen) override
    {
        if (bFullscreen)
            SDL_GetWindowPosition(m_pWindow, &m_xWindowed, &m_yWindowed);
        SDL_SetWindowFullscreen(m_pWindow, bFullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
        // SDL keeps the screen's corner as the window's place until the window
        // manager's answer comes, and a size set before it would move the
        // window there: the place it had is put back first.
        if (!bFullscreen)
            SDL_SetWindowPosition(m_pWindow, m_xWindowed, m_yWindowed);
    }
    CRect GetWorkArea() const override
    {
        SDL_Rect rc{};
        const int nDisplay = SDL_GetWindowDisplayIndex(m_pWindow);
        if (nDisplay < 0 || SDL_GetDisplayUsableBounds(nDisplay, &rc) != 0)
            return CRect(0, 0, 0, 0);
        return CRect(rc.x, rc.y, rc.x + rc.w, rc.y + rc.h);
    }
    void KeepOnScreen(int cx, int cy, BOOL) override
    {
        int x = 0;
        int y = 0;
        int top = 0;
        int left = 0;
        int bottom = 0;
        int right = 0;
        SDL_GetWindowPosition(m_pWindow, &x, &y);
        // Not known before the window is first shown: then the client alone counts.
        SDL_GetWindowBordersSize(m_pWindow, &top, &left, &bottom, &right);
        const CRect rcFrame(x - left, y - top, x + cx + right, y + cy + bottom);
        const CRect rcKept = AfxKeepOnScreen(rcFrame, GetWorkArea());
        if (rcKept != rcFrame)
            SDL_SetWindowPosition(m_pWindow, rcKept.left + left, rcKept.top + top);
    }
    BOOL HasKeyboardFocus() const override { return SDL_GetKeyboardFocus() == m_pWindow; }
    void TakeKeyboardFocus() override { SDL_SetWindowInputFocus(m_pWindow); }
    UINT GetRefreshRate() const override
    {
        SDL_DisplayMode mode;
        const int nDisplay = SDL_GetWindowDisplayIndex(m_pWindow);
        return nDisplay >= 0 && SDL_GetCurrentDisplayMode(nDisplay, &mode) == 0 && mode.refresh_rate > 0
                   ? UINT(mode.refresh_rate)
                   : 0;
    }
    CFrameBuffer* GetFrameBuffer() override { return m_pFrameBuffer.get(); }

private:
    CDisplaySystem* m_pSystem;
    SDL_Window* m_pWindow;
    std::unique_ptr<CFrameBuffer> m_pFrameBuffer;
    int m_xWindowed = SDL_WINDOWPOS_CENTERED; // where the window was before fullscreen
    int m_yWindowed = SDL_WINDOWPOS_CENTERED;
};

} // namespace

std::unique_ptr<CNativeWindow> AfxCreateSdlWindow(CDisplaySystem* pSystem, const char* pszTitle, int cx, int cy,
                                                  BOOL bInTaskbar)
{
    // High DPI: on a scaled output the window may get a buffer of the output's pixels.
    const Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI | (bInTaskbar ? 0 : SDL_WINDOW_SKIP_TASKBAR);
    SDL_Window* pWindow =
        SDL_CreateWindow(pszTitle ? pszTitle : "", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, cx, cy, flags);
    if (!pWindow)
        return nullptr;
    pSystem->Attach(pWindow);
    return std::unique_ptr<CNativeWindow>(new CSdlWindow(pSystem, pWindow, pSystem->MakeFrameBuffer(pWindow)));
}
