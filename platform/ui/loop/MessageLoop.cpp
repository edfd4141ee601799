#include "platform/ui/loop/MessageLoop.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/core/Clock.h"
#include "platform/ui/display/DisplaySystem.h"
#include "platform/ui/frame/FirstPaintTrace.h"
#include "platform/ui/input/GamepadSource.h"

namespace {

Uint32 EventWindowID(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_MOUSEMOTION:
        return event.motion.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        return event.button.windowID;
    case SDL_MOUSEWHEEL:
        return event.wheel.windowID;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return event.key.windowID;
    default:
        return 0;
    }
}

} // namespace

CMessageLoop& CMessageLoop::Get()
{
    static CMessageLoop loop;
    return loop;
}

CMessageLoop::CMessageLoop()
    : m_windowThread(std::this_thread::get_id()), m_wakeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)), m_poll(::poll)
{
}

void CMessageLoop::AddWindow(CLoopWindow* pWindow)
{
    m_windows.push_back(pWindow);
}

void CMessageLoop::RemoveWindow(CLoopWindow* pWindow)
{
    EndModal(pWindow);
    if (m_pFocus == pWindow)
        m_pFocus = nullptr;
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), pWindow), m_windows.end());
}

void CMessageLoop::BeginModal(CLoopWindow* pWindow)
{
    m_modal.push_back(pWindow);
}

void CMessageLoop::EndModal(CLoopWindow* pWindow)
{
    m_modal.erase(std::remove(m_modal.begin(), m_modal.end(), pWindow), m_modal.end());
}

CLoopWindow* CMessageLoop::GetModalWindow() const
{
    return m_modal.empty() ? nullptr : m_modal.back();
}

void CMessageLoop::SetIdleHook(std::function<void()> hook)
{
    m_idleHook = std::move(hook);
}

void CMessageLoop::SetPollFunction(PollFunction poll)
{
    m_poll = poll ? std::move(poll) : PollFunction(::poll);
}

CLoopWindow* CMessageLoop::FindWindow(Uint32 nWindowID) const
{
    for (CLoopWindow* p : m_windows) {
        if (p->GetWindowID() == nWindowID)
            return p;
    }
    return nullptr;
}

BOOL CMessageLoop::PumpOnce(BOOL bWait)
{
    if (DispatchInput() || PaintOne() || FireOneTimer())
        return TRUE;
    if (bWait) {
        StartControllers();
        if (m_idleHook)
            m_idleHook();
        else
            Wait();
        m_bReadDue = TRUE;
        m_bMotionRead = m_bOtherRead = FALSE;
    }
    return FALSE;
}

void CMessageLoop::StartControllers()
{
    // Once a window has shown its first picture: enumerating controllers
    // (udev, hidraw) takes tens of milliseconds the first frame need not wait.
    if (!CGamepadSource::Get().WasStarted() && AfxHasPresented())
        CGamepadSource::Get().Start();
}

BOOL CMessageLoop::DispatchInput()
{
    SDL_Event event;
    if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) <= 0) {
        // The display is read once after each wait, not on every turn: what
        // arrives in between wakes the next wait at once, and a read costs
        // several system calls, which a fast mouse would pay per event.
        if (!m_bReadDue)
            return FALSE;
        m_bReadDue = FALSE;
        SDL_PumpEvents();
        if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) <= 0)
            return FALSE;
    }
    (event.type == SDL_MOUSEMOTION ? m_bMotionRead : m_bOtherRead) = TRUE;
    Route(event);
    return TRUE;
}

void CMessageLoop::Route(const SDL_Event& event)
{
    if (m_handsOn.IsHandsOn(event))
        CGamepadSource::Get().OnOtherInput(m_windows);
    switch (event.type) {
    case SDL_QUIT: {
        // SDL's pump reports a broken Wayland connection as a quit request.
        if (AfxGetDisplaySystem().IsLost())
            AfxDisplayLost();
        const std::vector<CLoopWindow*> modal = m_modal;
        for (CLoopWindow* p : modal)
            p->OnQuit();
        break;
    }
    case SDL_WINDOWEVENT:
        RouteWindowEvent(event.window);
        break;
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL:
        RouteInput(EventWindowID(event), event, FALSE);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        RouteInput(EventWindowID(event), event, TRUE);
        break;
    default:
        if (CGamepadSource::IsPadEvent(event.type))
            CGamepadSource::Get().OnEvent(event, PadTarget(), m_windows);
        break;
    }
}

void CMessageLoop::RouteWindowEvent(const SDL_WindowEvent& event)
{
    CLoopWindow* p = FindWindow(event.windowID);
    if (!p)
        return;
    if (event.event == SDL_WINDOWEVENT_FOCUS_GAINED)
        m_pFocus = p;
    else if (event.event == SDL_WINDOWEVENT_FOCUS_LOST && m_pFocus == p)
        m_pFocus = nullptr;
    p->OnWindowEvent(event);
}

CLoopWindow* CMessageLoop::PadTarget() const
{
    CLoopWindow* pModal = GetModalWindow();
    return m_pFocus && pModal ? pModal : m_pFocus;
}

void CMessageLoop::RouteInput(Uint32 nWindowID, const SDL_Event& event, BOOL bKeyboard)
{
    CLoopWindow* pModal = GetModalWindow();
    CLoopWindow* pTarget = FindWindow(nWindowID);
    if (bKeyboard && pModal)
        pTarget = pModal;
    if (!pTarget)
        return;
    if (!pModal || pTarget == pModal)
        pTarget->OnInput(event);
    else
        pModal->OnInputElsewhere(event);
}

BOOL CMessageLoop::PaintOne()
{
    // Painting may add or remove windows: stop at the first that painted.
    for (size_t i = 0; i < m_windows.size(); ++i) {
        if (m_windows[i]->PaintPending())
            return TRUE;
    }
    return FALSE;
}

BOOL CMessageLoop::FireOneTimer()
{
    const ULONGLONG now = AfxGetClock().GetTickCount();
    for (size_t i = 0; i < m_windows.size(); ++i) {
        if (m_windows[i]->FireDueTimer(now))
            return TRUE;
    }
    return CGamepadSource::Get().FireDue(now, PadTarget());
}

ULONGLONG CMessageLoop::NextPaintDue() const
{
    ULONGLONG due = CLoopWindow::kNever;
    for (CLoopWindow* p : m_windows)
        due = std::min(due, p->NextPaintDue());
    return due;
}

ULONGLONG CMessageLoop::NextDue() const
{
    ULONGLONG due = CGamepadSource::Get().NextDue();
    for (CLoopWindow* p : m_windows)
        due = std::min({due, p->NextTimerDue(), p->NextPaintDue()});
    return due;
}

void CMessageLoop::Wait()
{
    int timeout = -1;
    const ULONGLONG due = NextDue();
    if (due != CLoopWindow::kNever) {
        const ULONGLONG now = AfxGetClock().GetTickCount();
        if (due <= now)
            return;
        timeout = int(std::min<ULONGLONG>(due - now, INT_MAX));
    }
    CDisplaySystem& display = AfxGetDisplaySystem();
    const int nLimit = display.GetSleepLimit();
    if (nLimit >= 0 && (timeout < 0 || timeout > nLimit))
        timeout = nLimit;
    // SDL reads controllers as it pumps events, with nothing here to sleep on.
    if (CGamepadSource::Get().IsOpen() && (timeout < 0 || timeout > CGamepadSource::kPollMs))
        timeout = CGamepadSource::kPollMs;
    int fd = -1;
    if (!display.PrepareWait(&fd))
        return;
    // A mouse moving fast sends an event a millisecond: while the picture
    // they changed waits for its paced paint, more motion can wait with it,
    // and is read in one go when the paint is due. Anything else than motion
    // in the last read, and the display wakes the loop at once again.
    const BOOL bMotionWaits = m_bMotionRead && !m_bOtherRead && NextPaintDue() != CLoopWindow::kNever;
    pollfd fds[2] = {{m_wakeFd.load(), POLLIN, 0}, {fd, display.GetWaitEvents(), 0}};
    m_poll(fds, fd >= 0 && !bMotionWaits ? 2 : 1, timeout);
    display.FinishWait(fd >= 0 && !bMotionWaits ? fds[1].revents : 0);
    if (fds[0].revents & POLLIN)
        DrainWake();
}

void CMessageLoop::DrainWake()
{
    uint64_t count = 0;
    while (read(m_wakeFd.load(), &count, sizeof(count)) == ssize_t(sizeof(count)))
        ;
}

void CMessageLoop::Wake()
{
    // The window thread is not asleep: its next wait sees what it asked for.
    if (std::this_thread::get_id() == m_windowThread)
        return;
    const uint64_t one = 1;
    // A full counter already wakes the loop: nothing is lost when the write fails.
    if (write(m_wakeFd.load(), &one, sizeof(one)) < 0)
        return;
}
