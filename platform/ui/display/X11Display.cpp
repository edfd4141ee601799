// The X11 display system: the Xlib connection behind SDL's windows. This is
// the only file that includes X11 headers.
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/ui/display/DeviceScale.h"
#include "platform/ui/display/DisplaySystem.h"
#include "platform/ui/display/XftDpi.h"

namespace {

// An empty Compose table (see AfxPrepareX11Environment).
constexpr const char* kNoComposeTable = "/dev/null";

int OnConnectionLost(Display*)
{
    // Xlib ends the process itself when this returns: end it with our line instead.
    AfxDisplayLost();
}

class CX11DisplaySystem : public CDisplaySystem {
public:
    const char* GetDriverName() const override { return "x11"; }

    void PrepareStart() const override
    {
        // Without this SDL backs the window surface with an OpenGL texture,
        // which more than doubles the time to the first paint and to each present.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    }

    void Attach(SDL_Window* pWindow) override
    {
        if (m_pDisplay)
            return;
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (!SDL_GetWindowWMInfo(pWindow, &info) || info.subsystem != SDL_SYSWM_X11)
            return;
        m_pDisplay = info.info.x11.display;
        XSetIOErrorHandler(OnConnectionLost);
    }

    void GetScaleSources(CNativeWindow*, DEVICESCALESOURCES* pSources) const override
    {
        m_strXftDpi = m_pDisplay ? AfxReadXftDpi(m_pDisplay) : std::string();
        pSources->pszXftDpi = m_strXftDpi.empty() ? nullptr : m_strXftDpi.c_str();
    }

    void MakeDialogOf(SDL_Window* pDialog, SDL_Window* pOwner) const override
    {
        CDisplaySystem::MakeDialogOf(pDialog, pOwner);
        // SDL marks every window it makes as a normal one; window managers then
        // give a dialog minimise and maximise buttons and a place in the task list.
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (!m_pDisplay || !SDL_GetWindowWMInfo(pDialog, &info) || info.subsystem != SDL_SYSWM_X11)
            return;
        const Atom type = XInternAtom(m_pDisplay, "_NET_WM_WINDOW_TYPE", False);
        Atom dialog = XInternAtom(m_pDisplay, "_NET_WM_WINDOW_TYPE_DIALOG", False);
        XChangeProperty(m_pDisplay, info.info.x11.window, type, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&dialog), 1);
    }

    BOOL PrepareWait(int* pFd) override
    {
        *pFd = -1;
        if (!m_pDisplay)
            return TRUE;
        // Our requests go out before we sleep. Xlib may hold events it read
        // during painting, where poll cannot see them; what is still in the
        // socket, poll sees.
        XFlush(m_pDisplay);
        if (XEventsQueued(m_pDisplay, QueuedAlready) > 0)
            return FALSE;
        *pFd = ConnectionNumber(m_pDisplay);
        return TRUE;
    }

    void FinishWait(short nRevents) override
    {
        // A hang-up shows in the next read, which SDL's pump makes: Xlib's
        // I/O error handler then ends the process.
        (void)nRevents;
    }

private:
    Display* m_pDisplay = nullptr;
    mutable std::string m_strXftDpi; // what the last GetScaleSources pointed at
};

} // namespace

CDisplaySystem* AfxMakeX11DisplaySystem()
{
    static CX11DisplaySystem system;
    return &system;
}

void AfxPrepareX11Environment()
{
    // SDL's X11 video opens an input method, and Xlib's own (the local one)
    // then parses the locale's whole Compose table, about 10 ms of the start,
    // for composed text, which the program never reads: it takes no text input.
    const char* pszTable = std::getenv("XCOMPOSEFILE");
    if (!pszTable || std::strcmp(pszTable, kNoComposeTable) != 0)
        setenv("XCOMPOSEFILE", kNoComposeTable, 1);
}

