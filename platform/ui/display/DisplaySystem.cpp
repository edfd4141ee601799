#include "platform/ui/display/DisplaySystem.h"

#include <SDL.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/ui/display/DeviceScale.h"
#include "platform/ui/display/FrameBuffer.h"

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
