#include "platform/ui/display/DisplaySystem.h"

#include <SDL.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/ui/display/DeviceScale.h"
#include "platform/ui/display/FrameBuffer.h"
#include "platform/ui/display/SdlWindow.h"

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

BOOL CDisplaySystem::Start(const char* pszDriver)
{
    // Above SDL_VIDEODRIVER, so that a fall-back can override what was asked.
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, pszDriver, SDL_HINT_OVERRIDE);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return FALSE;
    // SDL may quietly start another driver than the one named (its invisible
    // "offscreen" one): that shows nothing, so it counts as a failure.
    const char* pszStarted = SDL_GetCurrentVideoDriver();
    if (!pszStarted || std::strcmp(pszStarted, pszDriver) != 0) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return FALSE;
    }
    return TRUE;
}

void CDisplaySystem::Stop()
{
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

std::unique_ptr<CNativeWindow> CDisplaySystem::CreateWindow(const char* pszTitle, int cx, int cy, BOOL bInTaskbar)
{
    return AfxCreateSdlWindow(this, pszTitle, cx, cy, bInTaskbar);
}

void CDisplaySystem::MakeDialogOf(SDL_Window* pDialog, SDL_Window* pOwner) const
{
    SDL_SetWindowModalFor(pDialog, pOwner);
}

void CDisplaySystem::GetScaleSources(CNativeWindow*, DEVICESCALESOURCES*) const {}

void CDisplaySystem::ShowPointer(BOOL bShow)
{
    SDL_ShowCursor(bShow ? SDL_ENABLE : SDL_DISABLE);
}

BOOL CDisplaySystem::AnyWindowHasKeyboardFocus() const
{
    return SDL_GetKeyboardFocus() != nullptr;
}

std::unique_ptr<CFrameBuffer> CDisplaySystem::MakeFrameBuffer(SDL_Window* pWindow) const
{
    return AfxMakeSurfaceFrameBuffer(pWindow);
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

short CDisplaySystem::GetWaitEvents() const
{
    return POLLIN;
}

void AfxDisplayRefused(const char* pszWhat)
{
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, pszWhat);
    _exit(kExitDisplayLost);
}

void AfxDisplayLost()
{
    std::fprintf(stderr, "%s: lost the connection to the display\n", program_invocation_short_name);
    // Ending here, not unwinding: every window call from now on would fail,
    // and the game thread must not keep the process alive.
    _exit(kExitDisplayLost);
}
