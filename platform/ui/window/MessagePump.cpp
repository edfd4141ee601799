#include "platform/ui/window/MessagePump.h"

#include <SDL.h>

#include "platform/ui/display/KeyTable.h"
#include "platform/ui/window/TopWindow.h"

namespace {

CUiTopWindow* TopOf(CWnd* pWnd)
{
    CUiWindow* pWindow = pWnd ? AfxUiWindow(pWnd->m_hWnd) : nullptr;
    return pWindow ? pWindow->GetTopWindow() : nullptr;
}

Uint32 WindowIdOf(CWnd* pWnd)
{
    CUiTopWindow* pTop = TopOf(pWnd);
    return pTop ? pTop->GetWindowID() : 0;
}

} // namespace

BOOL AfxPumpMessage(BOOL bWait)
{
    return CMessageLoop::Get().PumpOnce(bWait);
}

void AfxSetIdleHook(std::function<void()> hook)
{
    CMessageLoop::Get().SetIdleHook(std::move(hook));
}

void AfxSetWaitFunction(std::function<int(pollfd*, nfds_t, int)> poll)
{
    CMessageLoop::Get().SetPollFunction(std::move(poll));
}

void AfxQueueKey(CWnd* pWnd, UINT nVirtKey, BOOL bAlt, int nRepeats, BOOL bKeypad)
{
    SDL_Event event{};
    event.key.windowID = WindowIdOf(pWnd);
    event.key.keysym.sym = AfxSdlKeyOf(nVirtKey, bKeypad);
    event.key.keysym.mod = Uint16(bAlt ? KMOD_LALT : KMOD_NONE);
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    SDL_PushEvent(&event);
    event.key.repeat = 1;
    for (int i = 0; i < nRepeats; ++i)
        SDL_PushEvent(&event);
    event.key.repeat = 0;
    event.type = SDL_KEYUP;
    event.key.state = SDL_RELEASED;
    SDL_PushEvent(&event);
}

void AfxQueueInput(CWnd* pWnd, AFX_INPUT input)
{
    input.nWindowID = WindowIdOf(pWnd);
    AfxPostInput(input);
}

void AfxQueueCtrlKey(CWnd* pWnd, UINT nVirtKey)
{
    SDL_Event event{};
    event.key.windowID = WindowIdOf(pWnd);
    event.key.keysym.sym = AfxSdlKeyOf(nVirtKey, FALSE);
    event.key.keysym.mod = KMOD_LCTRL;
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    SDL_PushEvent(&event);
    event.type = SDL_KEYUP;
    event.key.state = SDL_RELEASED;
    SDL_PushEvent(&event);
}

BOOL AfxIsPointerShown()
{
    return SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE;
}

void AfxQueueMouse(CWnd* pWnd, UINT message, CPoint ptClient)
{
    SDL_Event event{};
    if (message == WM_MOUSEMOVE) {
        event.type = SDL_MOUSEMOTION;
        event.motion.windowID = WindowIdOf(pWnd);
        event.motion.x = ptClient.x;
        event.motion.y = ptClient.y;
        SDL_PushEvent(&event);
        return;
    }
    const BOOL bDown = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN;
    event.type = bDown ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = WindowIdOf(pWnd);
    event.button.button = Uint8(message == WM_LBUTTONDOWN || message == WM_LBUTTONUP ? SDL_BUTTON_LEFT : SDL_BUTTON_RIGHT);
    event.button.state = Uint8(bDown ? SDL_PRESSED : SDL_RELEASED);
    event.button.clicks = 1;
    event.button.x = ptClient.x;
    event.button.y = ptClient.y;
    SDL_PushEvent(&event);
}

void AfxQueueWheel(CWnd* pWnd, float fNotches, CPoint ptClient, BOOL bFlipped)
{
    const float fReported = bFlipped ? -fNotches : fNotches;
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.windowID = WindowIdOf(pWnd);
    event.wheel.y = int(fReported);
    event.wheel.preciseY = fReported;
    event.wheel.direction = bFlipped ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
    event.wheel.mouseX = ptClient.x;
    event.wheel.mouseY = ptClient.y;
    SDL_PushEvent(&event);
}

static void QueueWindowEvent(CWnd* pWnd, Uint8 nEvent)
{
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = WindowIdOf(pWnd);
    event.window.event = nEvent;
    SDL_PushEvent(&event);
}

void AfxQueueClose(CWnd* pWnd)
{
    QueueWindowEvent(pWnd, SDL_WINDOWEVENT_CLOSE);
}

void AfxQueueExpose(CWnd* pWnd)
{
    QueueWindowEvent(pWnd, SDL_WINDOWEVENT_EXPOSED);
}

void AfxQueueDisplayChange(CWnd* pWnd)
{
    QueueWindowEvent(pWnd, SDL_WINDOWEVENT_DISPLAY_CHANGED);
}

void AfxQueueFocusLoss(CWnd* pWnd)
{
    QueueWindowEvent(pWnd, SDL_WINDOWEVENT_FOCUS_LOST);
}

void AfxQueueFocusGain(CWnd* pWnd)
{
    QueueWindowEvent(pWnd, SDL_WINDOWEVENT_FOCUS_GAINED);
}

void AfxQueueMinimize(CWnd* pWnd)
{
    QueueWindowEvent(pWnd, SDL_WINDOWEVENT_MINIMIZED);
}

void AfxQueueQuit()
{
    SDL_Event event{};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
}

ULONGLONG AfxGetNextPaintDue()
{
    return CMessageLoop::Get().NextPaintDue();
}

UINT AfxGetTimerElapse(CWnd* pWnd, UINT_PTR nIDEvent)
{
    CUiTopWindow* pTop = TopOf(pWnd);
    return pTop ? pTop->GetTimerElapse(nIDEvent) : 0;
}

UINT AfxGetPictureCount(CWnd* pWnd)
{
    CUiTopWindow* pTop = TopOf(pWnd);
    return pTop ? pTop->GetPictureCount() : 0;
}

BOOL AfxGetShownPicture(CWnd* pWnd, std::vector<COLORREF>* pPixels, int* pcx, int* pcy)
{
    CUiTopWindow* pTop = TopOf(pWnd);
    return pTop && pTop->CopyShownPicture(pPixels, pcx, pcy);
}
