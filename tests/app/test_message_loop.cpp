// The message loop's real wait (not the tests' idle hook): what it sleeps
// for, what wakes it, and the pacing of repaints, on the virtual clock. The
// wait function is the seam: it records the time-out the loop asked for and
// "sleeps" by moving the virtual clock that far.
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "app/QuindleDlg.h"
#include "platform/ui/display/DisplaySystem.h"
#include "platform/ui/window/MessagePump.h"
#include "platform/ui/window/PaintDC.h"
#include "res/resource.h"

namespace {

constexpr int kNoTimeout = -1;
constexpr int kMaxWaits = 1000; // a loop that waits more often than this does not sleep
constexpr ULONGLONG kPaintPeriod = 17; // 60 Hz, rounded up

// The main dialog, recording when timer 0 fired.
class CTickTimesDlg : public CQuindleDlg {
public:
    std::vector<ULONGLONG> m_ticks;

protected:
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        if (nIDEvent == 0)
            m_ticks.push_back(AfxGetClock().GetTickCount());
        CQuindleDlg::OnTimer(nIDEvent);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTickTimesDlg, CQuindleDlg)
ON_WM_TIMER()
END_MESSAGE_MAP()

// A dialog with no timers, recording each paint's time and erase flag.
class CPaintTimesDlg : public CDialog {
public:
    CPaintTimesDlg() : CDialog(IDD_ABOUTBOX) {}
    struct PAINT {
        ULONGLONG time;
        BOOL bErase;
        bool operator==(const PAINT& o) const { return time == o.time && bErase == o.bErase; }
    };
    std::vector<PAINT> m_paints;

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        m_paints.push_back(PAINT{AfxGetClock().GetTickCount(), dc.m_ps.fErase});
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintTimesDlg, CDialog)
ON_WM_PAINT()
END_MESSAGE_MAP()

// A dialog recording each key down's time and whether it was a repeat.
class CKeyTimesDlg : public CDialog {
public:
    CKeyTimesDlg() : CDialog(IDD_ABOUTBOX) {}
    std::vector<std::pair<ULONGLONG, bool>> m_keys;

protected:
    afx_msg void OnKeyDown(UINT nChar, UINT, UINT nFlags)
    {
        if (nChar == 'Q')
            m_keys.emplace_back(AfxGetClock().GetTickCount(), (nFlags & KF_REPEAT) != 0);
        else
            Default(); // Escape ends the dialog
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeyTimesDlg, CDialog)
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

void PrintTo(const CPaintTimesDlg::PAINT& p, std::ostream* os)
{
    *os << "{" << p.time << " ms, erase " << p.bErase << "}";
}

class RealWaitTest : public CVirtualTimeTest {
protected:
    // Each wait calls onWait(its number from 0, the time-out asked for); it
    // returns TRUE when it woke the loop itself, else the clock moves by the
    // time-out. A wait with no time-out and nothing to wake it ends the dialog.
    void RunWaits(CDialog& dlg, std::function<BOOL(int, int)> onWait)
    {
        AfxSetWaitFunction([&, onWait](pollfd*, nfds_t, int timeout) {
            const int n = int(m_timeouts.size());
            m_timeouts.push_back(timeout);
            if (n >= kMaxWaits) {
                AfxQueueKey(&dlg, VK_ESCAPE);
                return 0;
            }
            if (onWait(n, timeout))
                return 1;
            if (timeout == kNoTimeout)
                AfxQueueKey(&dlg, VK_ESCAPE);
            else
                m_clock.Advance(DWORD(timeout));
            return 0;
        });
        dlg.DoModal();
        AfxSetWaitFunction(nullptr);
    }

    std::vector<int> m_timeouts;
};

TEST_F(RealWaitTest, TimerZeroFiresEvery200MsAndTheWaitSleepsUntilItIsDue)
{
    CTickTimesDlg dlg;
    RunWaits(dlg, [&](int, int) {
        if (dlg.m_ticks.size() == 5)
            AfxQueueKey(&dlg, VK_ESCAPE);
        return FALSE;
    });
    EXPECT_EQ(dlg.m_ticks, (std::vector<ULONGLONG>{200, 400, 600, 800, 1000}));
    ASSERT_LT(m_timeouts.size(), size_t(kMaxWaits)) << "the loop does not sleep";
    for (int timeout : m_timeouts) {
        EXPECT_GT(timeout, 0) << "a wait that does not sleep";
        EXPECT_LE(timeout, 200) << "a wait past the next timer";
    }
}

TEST_F(RealWaitTest, ABurstOfRepaintsPaintsOncePerPeriodAndAnIdleWindowAtOnce)
{
    CPaintTimesDlg dlg;
    RunWaits(dlg, [&](int n, int) {
        switch (n) {
        case 0: // idle after the first paint: a burst of requests
            for (int i = 0; i < 10; ++i)
                dlg.InvalidateRect(NULL, FALSE);
            return TRUE;
        case 1: // waiting for the paced paint: one more request, which erases
            dlg.InvalidateRect(NULL, TRUE);
            return FALSE;
        case 2: // idle for longer than a period: a request paints at once
            m_clock.Advance(40);
            dlg.InvalidateRect(NULL, FALSE);
            return TRUE;
        default:
            return FALSE;
        }
    });
    EXPECT_EQ(dlg.m_paints, (std::vector<CPaintTimesDlg::PAINT>{
                                {0, TRUE}, {kPaintPeriod, TRUE}, {kPaintPeriod + 40, FALSE}}));
    EXPECT_EQ(m_timeouts, (std::vector<int>{kNoTimeout, int(kPaintPeriod), kNoTimeout, kNoTimeout}));
}

TEST_F(RealWaitTest, AnExposedWindowRepaintsWithErasing)
{
    CPaintTimesDlg dlg;
    RunWaits(dlg, [&](int n, int) {
        if (n == 0) {
            m_clock.Advance(100);
            AfxQueueExpose(&dlg);
            return TRUE;
        }
        return FALSE;
    });
    EXPECT_EQ(dlg.m_paints, (std::vector<CPaintTimesDlg::PAINT>{{0, TRUE}, {100, TRUE}}));
}

// A key that its display system leaves to the program to repeat (Wayland's
// keys do), as our Wayland client puts it into the input queue.
AFX_INPUT HeldKey(EInput type)
{
    AFX_INPUT input;
    input.type = type;
    input.nVirtKey = 'Q';
    input.nKeyCode = 16; // evdev's Q
    input.nRepeatDelay = type == EInput::kKeyDown ? 500 : 0;
    input.nRepeatPeriod = type == EInput::kKeyDown ? 30 : 0;
    return input;
}

TEST_F(RealWaitTest, AKeyLeftToUsRepeatsOnTheLoopsOwnDueTimesUntilReleasedOrTheFocusGoes)
{
    CKeyTimesDlg dlg;
    RunWaits(dlg, [&](int n, int) {
        switch (n) {
        case 0: // idle after the first paint
            AfxQueueFocusGain(&dlg);
            AfxQueueInput(&dlg, HeldKey(EInput::kKeyDown));
            return TRUE;
        case 3: // two repeats so far; the key goes up a moment before the third
            m_clock.Advance(10);
            AfxQueueInput(&dlg, HeldKey(EInput::kKeyUp));
            return TRUE;
        case 4: // nothing repeats now: the loop sleeps for good; the key again
            AfxQueueInput(&dlg, HeldKey(EInput::kKeyDown));
            return TRUE;
        case 6: // one repeat, then the focus goes to another program
            AfxQueueFocusLoss(&dlg);
            return TRUE;
        default:
            return FALSE;
        }
    });
    const std::vector<std::pair<ULONGLONG, bool>> expected = {
        {0, false}, {500, true}, {530, true}, {540, false}, {1040, true}};
    EXPECT_EQ(dlg.m_keys, expected);
    EXPECT_EQ(m_timeouts, (std::vector<int>{kNoTimeout, 500, 30, 30, kNoTimeout, 500, 30, kNoTimeout}));
}

// A display whose library already holds events on the first wait after a paint.
class CQueuedEventsDisplay : public CDisplaySystem {
public:
    const char* GetDriverName() const override { return "queued"; }
    void Attach(SDL_Window*) override {}
    BOOL PrepareWait(int* pFd) override
    {
        *pFd = -1;
        return m_nPrepared++ != 0;
    }
    void FinishWait(short) override { ++m_nFinished; }
    int m_nPrepared = 0;
    int m_nFinished = 0;
};

TEST_F(RealWaitTest, EventsTheDisplayLibraryHoldsAreHandledWithoutSleeping)
{
    CDisplaySystem* pBefore = &AfxGetDisplaySystem();
    CQueuedEventsDisplay display;
    AfxSetDisplaySystem(&display);
    CPaintTimesDlg dlg;
    RunWaits(dlg, [&](int, int) { return FALSE; });
    AfxSetDisplaySystem(pBefore);
    EXPECT_EQ(display.m_nPrepared, 2);
    EXPECT_EQ(m_timeouts.size(), 1u) << "slept while events were queued";
    EXPECT_EQ(display.m_nFinished, 1);
}

// A display with a descriptor to sleep on (a pipe nothing is written to).
class CPipeDisplay : public CDisplaySystem {
public:
    CPipeDisplay() { EXPECT_EQ(pipe(m_fds), 0); }
    ~CPipeDisplay() override
    {
        close(m_fds[0]);
        close(m_fds[1]);
    }
    const char* GetDriverName() const override { return "pipe"; }
    void Attach(SDL_Window*) override {}
    BOOL PrepareWait(int* pFd) override
    {
        *pFd = m_fds[0];
        return TRUE;
    }
    void FinishWait(short) override {}

private:
    int m_fds[2];
};

TEST_F(RealWaitTest, MotionWaitsForItsRepaintButAnyOtherInputWakesTheLoopAtOnce)
{
    CDisplaySystem* pBefore = &AfxGetDisplaySystem();
    CPipeDisplay display;
    AfxSetDisplaySystem(&display);
    CPaintTimesDlg dlg;
    std::vector<nfds_t> watched;
    AfxSetWaitFunction([&](pollfd*, nfds_t nfds, int timeout) {
        watched.push_back(nfds);
        switch (watched.size()) {
        case 1: // idle after the first paint: the mouse moves, asking for a repaint
            AfxQueueMouse(&dlg, WM_MOUSEMOVE, CPoint(5, 5));
            dlg.InvalidateRect(NULL, FALSE);
            return 1;
        case 2: // motion only, a repaint pending: the display waits too
            m_clock.Advance(DWORD(timeout));
            return 0;
        case 3: // painted; a click this time, and a repaint
            AfxQueueMouse(&dlg, WM_LBUTTONDOWN, CPoint(5, 5));
            dlg.InvalidateRect(NULL, FALSE);
            return 1;
        default: // the click's wait watches the display again
            AfxQueueKey(&dlg, VK_ESCAPE);
            return 1;
        }
    });
    dlg.DoModal();
    AfxSetWaitFunction(nullptr);
    AfxSetDisplaySystem(pBefore);
    EXPECT_EQ(watched, (std::vector<nfds_t>{2, 1, 2, 2}));
}

} // namespace
