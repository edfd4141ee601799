#include "platform/ui/loop/MessageLoop.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/core/Clock.h"
#include "platform/ui/display/DisplaySystem.h"
#include "platform/ui/loop/FirstPaintTrace.h"
#include "platform/ui/input/GamepadSource.h"

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
    // With no window left, no key is held for us.
    if (m_windows.empty())
        m_repeat = CKeyRepeat();
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

CLoopWindow* CMessageLoop::FindWindow(uint32_t nWindowID) const
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
    AFX_INPUT input;
    if (!AfxTakeInput(&input) && !(ReadInput(FALSE) && AfxTakeInput(&input))) {
        // The display is read once after each wait, not on every turn: what
        // arrives in between wakes the next wait at once, and a read costs
        // several system calls, which a fast mouse would pay per event.
        if (!m_bReadDue)
            return FALSE;
        m_bReadDue = FALSE;
        if (!(ReadInput(TRUE) && AfxTakeInput(&input)))
            return FALSE;
    }
    (input.type == EInput::kMouseMove ? m_bMotionRead : m_bOtherRead) = TRUE;
    Route(input);
    return TRUE;
}

BOOL CMessageLoop::ReadInput(BOOL bPump)
{
    // What SDL holds already goes first: a controller that arrived is opened
    // before the next pump reads its buttons.
    AfxReadSdlInput(bPump);
    CGamepadSource::Get().Read(PadTarget() != nullptr);
    return AfxHasInput();
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
    return FireRepeat(now);
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
    ULONGLONG due = m_repeat.NextDue();
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
