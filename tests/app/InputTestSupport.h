// What the input tests share: the main dialog with a record of its paints and
// of the clicks that started or stopped a game, a virtual clock that also
// watches which game runs sleep on it, the phase a sleeping run is in, and
// read access to what the game thread keeps to itself.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <mutex>
#include <ostream>
#include <thread>
#include <vector>

#include "app/QuindleDlg.h"
#include "game/CourseRules.h"
#include "platform/core/VirtualClock.h"
#include "platform/ui/window/MessagePump.h"

// The virtual clock as the game runs see it. Only game runs sleep on the
// clock here, each on a thread of its own, numbered in the order of their
// first sleep. Two runs working on the view at once show as two threads
// inside a sleep together, or as an older run sleeping again after a newer
// one has slept.
class CRunWatchClock : public CClock {
public:
    explicit CRunWatchClock(CVirtualClock& clock) : m_clock(clock) {}

    ULONGLONG GetTickCount() override { return m_clock.GetTickCount(); }

    BOOL SleepFor(DWORD ms, CWakeToken* pToken) override
    {
        const int nRun = RunNumber();
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (++m_nInside > 1)
                ++m_nOverlaps;
            if (nRun < m_nLatestRun)
                ++m_nStaleSleeps;
            m_nLatestRun = std::max(m_nLatestRun, nRun);
        }
        const BOOL bFinished = m_clock.SleepFor(ms, pToken);
        std::lock_guard<std::mutex> lock(m_mutex);
        --m_nInside;
        if (!bFinished)
            ++m_nCutShort;
        return bFinished;
    }

    // Sleeps begun while another run was asleep.
    int GetOverlaps()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_nOverlaps;
    }
    // Sleeps of a run after a newer run had slept.
    int GetStaleSleeps()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_nStaleSleeps;
    }
    // Sleeps ended early: the run was abandoned (a new Start, or its dialog went).
    int GetCutShort()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_nCutShort;
    }
    int GetInside()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_nInside;
    }

private:
    static int RunNumber()
    {
        static std::atomic<int> s_nRuns{0};
        thread_local int t_nRun = 0;
        if (t_nRun == 0)
            t_nRun = ++s_nRuns;
        return t_nRun;
    }

    CVirtualClock& m_clock;
    std::mutex m_mutex;
    int m_nInside = 0;
    int m_nLatestRun = 0;
    int m_nOverlaps = 0;
    int m_nStaleSleeps = 0;
    int m_nCutShort = 0;
};

// What the game thread keeps protected, read without a seam in the session:
// a pointer to a member may be formed through a derived class.
class CGameThreadProbe : public CGameThread {
public:
    // TRUE from Start until the run has left ThreadProc.
    static BOOL IsRunInProgress(CGameThread& thread) { return (thread.*(&CGameThreadProbe::IsInThreadProc))(); }
    static CControlIdList& EnableWhileIdle(CGameThread& thread)
    {
        return thread.*(&CGameThreadProbe::m_enableWhileIdle);
    }
};

// The phases of a run, told apart while the run sleeps by what it shows and
// how long it waits.
enum class EPhase { Ready, Go, Running, Result, Unknown };

inline const char* PhaseName(EPhase phase)
{
    switch (phase) {
    case EPhase::Ready:
        return "Ready";
    case EPhase::Go:
        return "Go";
    case EPhase::Running:
        return "Running";
    case EPhase::Result:
        return "Result";
    default:
        return "unknown";
    }
}

inline void PrintTo(EPhase phase, std::ostream* os)
{
    *os << PhaseName(phase);
}

inline EPhase PhaseOf(DWORD nSleep, const CString& status)
{
    if (nSleep == 2000 && status == "Ready")
        return EPhase::Ready;
    if (nSleep == 500 && status == "Go!!")
        return EPhase::Go;
    if (nSleep == 200 && status == "")
        return EPhase::Running;
    if (nSleep == 2000 && (status == "Game Over!!" || status == "Goal!!"))
        return EPhase::Result;
    return EPhase::Unknown;
}

// The main dialog, recording the paints it gets, the clicks on Start and Stop
// that took effect, and which modal loop its own messages have opened.
class CObservedDlg : public CQuindleDlg {
public:
    enum class EOpen { Popup, About };

    int m_nPaints = 0;
    int m_nErases = 0;
    std::vector<UINT_PTR> m_ticks;
    int m_nStarts = 0; // releases over Start on the menu screen
    int m_nStops = 0;  // releases over Stop on the game screen
    int m_nAboutOpened = 0;
    BOOL m_bStoppedSinceStart = FALSE; // a Stop click since the latest Start click
    std::vector<EOpen> m_open;         // innermost last

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_PAINT:
            ++m_nPaints;
            break;
        case WM_ERASEBKGND:
            ++m_nErases;
            break;
        case WM_TIMER:
            m_ticks.push_back(UINT_PTR(wParam));
            break;
        case WM_LBUTTONUP:
            return OnRelease(wParam, lParam);
        case WM_RBUTTONUP:
            return WithOpen(EOpen::Popup, message, wParam, lParam);
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_KEYMENU)
                return WithOpen(EOpen::Popup, message, wParam, lParam);
            if ((wParam & 0xFFF0) == IDM_ABOUTBOX)
                return WithOpen(EOpen::About, message, wParam, lParam);
            break;
        default:
            break;
        }
        return CQuindleDlg::WindowProc(message, wParam, lParam);
    }

    BOOL IsPopupOrAboutOpen() const { return !m_open.empty(); }

private:
    LRESULT OnRelease(WPARAM wParam, LPARAM lParam)
    {
        const CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        const BOOL bInGame = m_view.m_bInGame == 1;
        const BOOL bStart = !bInGame && m_view.HitStart(pt);
        const BOOL bStop = bInGame && m_view.HitStop(pt);
        const uint32_t nVersion = m_view.m_bInGame.GetVersion();
        const LRESULT result = CQuindleDlg::WindowProc(WM_LBUTTONUP, wParam, lParam);
        // Only a Start click writes 1; the game thread may write 0 meanwhile.
        const BOOL bStarted = m_view.m_bInGame.GetVersion() != nVersion && m_view.m_bInGame == 1;
        if (bStart || bStarted) {
            ++m_nStarts;
            m_bStoppedSinceStart = FALSE;
        } else if (bStop) {
            ++m_nStops;
            m_bStoppedSinceStart = TRUE;
        }
        return result;
    }

    LRESULT WithOpen(EOpen open, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (open == EOpen::About)
            ++m_nAboutOpened;
        m_open.push_back(open);
        const LRESULT result = CQuindleDlg::WindowProc(message, wParam, lParam);
        m_open.pop_back();
        return result;
    }
};

// Polls pred in real time, for at most ms; TRUE once it holds.
template <class Pred>
BOOL WaitUntil(Pred pred, int ms = 10000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!pred()) {
        if (std::chrono::steady_clock::now() > deadline)
            return FALSE;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return TRUE;
}

// How often a paused run looks whether it may go on.
constexpr DWORD kHoldPollMs = 10;
// The player's wheel step.
constexpr int kStep = 5;

// The phase dlg's run sleeps in, once it sleeps.
inline EPhase SleepingPhaseOf(CVirtualClock& clock, CObservedDlg& dlg)
{
    if (!clock.WaitForPendingSleeper())
        return EPhase::Unknown;
    return PhaseOf(clock.NextSleepLength(), dlg.m_thread.GetStatusText());
}

// Waits until dlg's run holds for a pause, showing "Paused".
inline BOOL HoldsPaused(CVirtualClock& clock, CObservedDlg& dlg)
{
    return WaitUntil([&] {
        return clock.GetSleeperCount() == 1 && clock.NextSleepLength() == kHoldPollMs &&
               dlg.m_thread.GetStatusText() == "Paused";
    });
}

// The smallest x of the view's obstacles, INT_MAX when there are none. Read
// while the run sleeps.
inline int LeftmostObstacleX(CCourseView& view)
{
    int x = INT_MAX;
    for (int i = 0; i < view.GetObstacleCount(); ++i) {
        if (CGameObject* p = view.m_obstacles.GetAt(i))
            x = std::min(x, p->GetPos().x);
    }
    return x;
}

// The obstacles a run spawns.
constexpr int kRunObstacles = 300;

// Whether the view holds a new run's obstacles that have not moved yet: a
// spawn puts them all at least this far right.
inline BOOL ObstaclesAreFresh(CCourseView& view)
{
    return view.GetObstacleCount() == kRunObstacles &&
           LeftmostObstacleX(view) >= view.m_rcArea.left + course::kFirstObstacleOffset;
}
