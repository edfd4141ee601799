#include "platform/ui/display/DisplaySystem.h"

#include <SDL.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/ui/display/DeviceScale.h"
#include "platform/ui/display/FrameBuffer.h"
#include "platform/ui/display/ScreenFit.h"

namespace {

constexpr int kExitDisplayLost = 1;

// SDL's dummy driver and any other without a connection we know: the loop
// sleeps on its wake-up descriptor and the next timer only.
class CNoDisplaySystem : public CDisplaySystem {
public:
    const char* GetDriverName() const override { return "none"; }
    void Attach(SDL_Window*) override {}
    BOOL PrepareWait(int* pFd) override
    {
        *pFd = -1;
        return TRUE;
    }
    void FinishWait(short) override {}
};

CDisplaySystem* g_pSystem = nullptr;

} // namespace

void CDisplaySystem::GetScaleSources(SDL_Window*, DEVICESCALESOURCES*) const {}

std::unique_ptr<CFrameBuffer> CDisplaySystem::MakeFrameBuffer(SDL_Window* pWindow) const
{
    return AfxMakeSurfaceFrameBuffer(pWindow);
}

void CDisplaySystem::SetFullscreen(SDL_Window* pWindow, BOOL bFullscreen)
{
    SDL_SetWindowFullscreen(pWindow, bFullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

void CDisplaySystem::ShowPointer(BOOL bShow)
{
    SDL_ShowCursor(bShow ? SDL_ENABLE : SDL_DISABLE);
}

void CDisplaySystem::KeepOnScreen(SDL_Window* pWindow, int cx, int cy, BOOL)
{
    int x = 0;
    int y = 0;
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    SDL_GetWindowPosition(pWindow, &x, &y);
    // Not known before the window is first shown: then the client alone counts.
    SDL_GetWindowBordersSize(pWindow, &top, &left, &bottom, &right);
    const CRect rcFrame(x - left, y - top, x + cx + right, y + cy + bottom);
    const CRect rcKept = AfxKeepOnScreen(rcFrame, GetWorkArea(pWindow));
    if (rcKept != rcFrame)
        SDL_SetWindowPosition(pWindow, rcKept.left + left, rcKept.top + top);
}

CRect CDisplaySystem::GetWorkArea(SDL_Window* pWindow) const
{
    SDL_Rect rc{};
    const int nDisplay = pWindow ? SDL_GetWindowDisplayIndex(pWindow) : -1;
    if (nDisplay < 0 || SDL_GetDisplayUsableBounds(nDisplay, &rc) != 0)
        return CRect(0, 0, 0, 0);
    return CRect(rc.x, rc.y, rc.x + rc.w, rc.y + rc.h);
}

CDisplaySystem* AfxMakeDisplaySystem(const char* pszDriver)
{
    if (pszDriver && std::strcmp(pszDriver, "x11") == 0)
        return AfxMakeX11DisplaySystem();
    if (pszDriver && std::strcmp(pszDriver, "wayland") == 0)
        return AfxMakeWaylandDisplaySystem();
    static CNoDisplaySystem none;
    return &none;
}

CDisplaySystem& AfxGetDisplaySystem()
{
    if (!g_pSystem)
        g_pSystem = AfxMakeDisplaySystem(nullptr);
    return *g_pSystem;
}

void AfxSetDisplaySystem(CDisplaySystem* pSystem)
{
    g_pSystem = pSystem;
}

void AfxDisplayLost()
{
    std::fprintf(stderr, "%s: lost the connection to the display\n", program_invocation_short_name);
    // Ending here, not unwinding: every window call from now on would fail,
    // and the game thread must not keep the process alive.
    _exit(kExitDisplayLost);
}
