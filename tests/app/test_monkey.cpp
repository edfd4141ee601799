// A seeded stream of random input into the real main dialog, headless: mouse
// moves, wheel notches, left presses and releases on, near and just off the
// edges of the client area and of each button, the system menu with its About
// item and Close, and the About box opened and closed every way it can be.
// The game's clock is virtual and moves on as the input goes, so runs go
// through all their phases. Checked all along:
//   - at most one run works on the view;
//   - while a run sleeps in Ready, Go or Running and no Stop click came since
//     its Start click, the game screen shows (in-game flag 1);
//   - a sleeping run is in one of its phases (what it shows fits how long it waits);
//   - the player stays on the area's rows, from the top row down to the row
//     just below the last, where a step down clamps it.
// The dialog may end (Exit, Close, Escape): a new one takes over and the count
// goes on. A watchdog ends the program, naming the seed, if the stream hangs.
//
// QUINDLE_MONKEY_SEED=n replays the input of seed n; QUINDLE_MONKEY_EVENTS=n
// sets the number of events. A replay is as close as the game allows: its
// obstacle layout is seeded from the time of day, and where the clock moves on
// without waiting for the run, the run's progress between two inputs varies.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "AppTestSupport.h"
#include "InputTestSupport.h"

namespace {

constexpr int kDefaultEvents = 100000;
constexpr int kWatchdogSeconds = 300;  // real time for the whole stream, sanitizers included
constexpr int kSettleMs = 20000;       // real time for a woken run to sleep again or end
constexpr int kMaxQuitRequests = 100;  // after the last event, until every loop has ended
constexpr int kCoverageEvents = 20000; // a stream this long must have reached every phase
constexpr int kMaxBatch = 16;          // events queued in one idle turn of the main window
constexpr int kMaxBurst = 15;          // sleeps a run may get through in one turn

const char kAboutCaption[] = "Quindleのﾊﾞｰｼﾞｮﾝ情報";

uint64_t SeedFromEnvironment()
{
    if (const char* psz = std::getenv("QUINDLE_MONKEY_SEED"))
        return std::strtoull(psz, nullptr, 0);
    return std::random_device{}();
}

int EventsFromEnvironment()
{
    const char* psz = std::getenv("QUINDLE_MONKEY_EVENTS");
    const int n = psz ? std::atoi(psz) : 0;
    return n > 0 ? n : kDefaultEvents;
}

// The standard fixes mt19937_64's output, and the modulo below is ours, so
// a seed gives the same stream with any standard library.
class CRandom {
public:
    explicit CRandom(uint64_t nSeed) : m_engine(nSeed) {}
    int Below(int n) { return int(m_engine() % uint64_t(n)); }
    bool Percent(int n) { return Below(100) < n; }

private:
    std::mt19937_64 m_engine;
};

// Ends the program, after saying why, unless destroyed within nSeconds.
class CWatchdog {
public:
    CWatchdog(int nSeconds, std::function<void()> onTimeout)
        : m_thread([this, nSeconds, onTimeout] {
              std::unique_lock<std::mutex> lock(m_mutex);
              if (!m_cv.wait_for(lock, std::chrono::seconds(nSeconds), [this] { return m_bDone; })) {
                  onTimeout();
                  std::abort();
              }
          })
    {
    }
    ~CWatchdog()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_bDone = true;
        }
        m_cv.notify_all();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_bDone = false;
    std::thread m_thread;
};

struct MONKEYSTATS {
    int nDialogs = 0;
    int nStarts = 0;
    int nStops = 0;
    int nAboutOpened = 0;
    std::array<int, 5> phases{}; // idle turns that found the run asleep, by EPhase
};

class CMonkey {
public:
    CMonkey(uint64_t nSeed, int nEvents, CVirtualClock& clock, CRunWatchClock& watch)
        : m_nSeed(nSeed), m_nLimit(nEvents), m_random(nSeed), m_clock(clock), m_watch(watch)
    {
    }

    // Dialog after dialog until the events are used up.
    void Run()
    {
        AfxSetIdleHook([this] { OnIdle(); });
        while (m_nEvents < m_nLimit && !m_bFailed) {
            CObservedDlg dlg;
            m_pDlg = &dlg;
            if (dlg.DoModal() < 0)
                Fail("the dialog did not open");
            m_pDlg = nullptr;
            ++m_stats.nDialogs;
            m_stats.nStarts += dlg.m_nStarts;
            m_stats.nStops += dlg.m_nStops;
            m_stats.nAboutOpened += dlg.m_nAboutOpened;
        } // the dialog's run, if any, is abandoned here and waited for
        AfxSetIdleHook(nullptr);
        // What is still queued was meant for windows that are gone.
        while (AfxPumpMessage(FALSE))
            ;
    }

    int GetEvents() const { return m_nEvents; }
    const MONKEYSTATS& GetStats() const { return m_stats; }

private:
    enum class EContext { Main, Popup, About };

    void OnIdle()
    {
        Check();
        if (m_bFailed || m_nEvents >= m_nLimit) {
            if (++m_nQuits > kMaxQuitRequests) {
                std::fprintf(stderr, "monkey: the loops do not end (seed %llu)\n", (unsigned long long)m_nSeed);
                std::abort();
            }
            AfxQueueQuit();
            return;
        }
        MoveTime();
        switch (Context()) {
        case EContext::Main:
            QueueForMain();
            break;
        case EContext::Popup:
            QueueForPopup();
            break;
        case EContext::About:
            QueueForAbout();
            break;
        }
    }

    EContext Context() const
    {
        if (m_pDlg->m_open.empty())
            return EContext::Main;
        return m_pDlg->m_open.back() == CObservedDlg::EOpen::Popup ? EContext::Popup : EContext::About;
    }

    // -- The checks ---------------------------------------------------------

    void Check()
    {
        if (m_bFailed)
            return;
        if (m_watch.GetOverlaps() > 0 || m_watch.GetStaleSleeps() > 0 || m_clock.GetSleeperCount() > 1) {
            Fail("two runs worked on the view at once");
            return;
        }
        CObservedDlg& dlg = *m_pDlg;
        // A run asleep and not yet due stays as it is while this thread looks.
        if (m_clock.WaitForPendingSleeper(0)) {
            const DWORD nSleep = m_clock.NextSleepLength();
            const CString status = dlg.m_thread.GetStatusText();
            const EPhase phase = PhaseOf(nSleep, status);
            ++m_stats.phases[size_t(phase)];
            if (phase == EPhase::Unknown) {
                Fail("a run sleeps " + std::to_string(nSleep) + " ms showing \"" + std::string(status) + "\"");
                return;
            }
            if (phase != EPhase::Result && !dlg.m_bStoppedSinceStart && dlg.m_view.m_bInGame != 1) {
                Fail(std::string("the menu shows while a run nobody stopped is in ") + PhaseName(phase));
                return;
            }
            CheckPlayer();
        } else if (!CGameThreadProbe::IsRunInProgress(dlg.m_thread)) {
            CheckPlayer();
        }
    }

    void CheckPlayer()
    {
        const CCourseView& view = m_pDlg->m_view;
        const CPoint pos = view.m_player.GetPos();
        const BOOL bNeverPlaced = pos.x == 0 && pos.y == 0;
        if (!bNeverPlaced && (pos.y < view.m_rcArea.top || pos.y > view.m_rcArea.bottom))
            Fail("the player left the area's rows: y " + std::to_string(pos.y));
    }

    void Fail(const std::string& what)
    {
        ADD_FAILURE() << what << " (seed " << m_nSeed << ", event " << m_nEvents.load() << ")";
        m_bFailed = true;
    }

    // -- Time -----------------------------------------------------------------

    // Sometimes moves the clock on: to the run's next wake-up, by a step of
    // its own, or through a burst of the run's sleeps. Mostly it then waits
    // for the run to settle; otherwise the run goes on while input arrives.
    // Every turn draws the same numbers, so the input stream of a seed does not
    // depend on where the run happened to be.
    void MoveTime()
    {
        static const DWORD kSteps[] = {50, 200, 200, 700, 2000};
        const bool bMove = m_random.Percent(50);
        const bool bBurst = m_random.Percent(10);
        const int nBurst = 1 + m_random.Below(kMaxBurst);
        const bool bToWake = m_random.Percent(60);
        const DWORD nStep = kSteps[m_random.Below(5)];
        const bool bSettle = m_random.Percent(80);
        if (!bMove)
            return;
        if (bBurst) {
            for (int i = 0; i < nBurst && m_clock.WaitForPendingSleeper(0) && !m_bFailed; ++i) {
                m_clock.AdvanceToNextWake(0);
                Settle();
            }
            return;
        }
        if (bToWake && m_clock.WaitForPendingSleeper(0))
            m_clock.AdvanceToNextWake(0);
        else
            m_clock.Advance(nStep);
        if (bSettle)
            Settle();
    }

    // Waits until the run sleeps again or has ended.
    void Settle()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kSettleMs);
        while (CGameThreadProbe::IsRunInProgress(m_pDlg->m_thread) && !m_clock.WaitForPendingSleeper(1)) {
            if (std::chrono::steady_clock::now() > deadline) {
                Fail("a woken run neither slept again nor ended");
                return;
            }
        }
    }

    // -- Input --------------------------------------------------------------

    // One coordinate: often on or next to an edge of [lo, hi), else anywhere in it.
    int Coordinate(int lo, int hi)
    {
        const int edges[] = {lo - 1, lo, lo + 1, hi - 1, hi, hi + 1};
        if (m_random.Percent(50))
            return edges[m_random.Below(6)];
        return lo + m_random.Below(std::max(1, hi - lo));
    }

    CPoint RandomPoint()
    {
        const CCourseView& view = m_pDlg->m_view;
        CRect rc;
        const int n = m_random.Below(100);
        if (n < 35)
            m_pDlg->GetClientRect(&rc);
        else if (n < 70)
            rc = view.m_rcArea;
        else if (n < 84)
            rc = view.m_rcStart;
        else if (n < 88)
            rc = view.m_rcExit;
        else
            rc = view.m_rcStop;
        return CPoint(Coordinate(rc.left, rc.right), Coordinate(rc.top, rc.bottom));
    }

    float RandomNotches()
    {
        static const float kNotches[] = {1, -1, 1, -1, 1, -1, 2, -2, 0.5f, -0.5f};
        return kNotches[m_random.Below(10)];
    }

    void Mouse(CWnd* pWnd, UINT message, CPoint pt)
    {
        AfxQueueMouse(pWnd, message, pt);
        ++m_nEvents;
    }
    void Wheel(CWnd* pWnd)
    {
        AfxQueueWheel(pWnd, RandomNotches(), RandomPoint());
        ++m_nEvents;
    }
    void Key(CWnd* pWnd, UINT nVirtKey, BOOL bAlt = FALSE)
    {
        AfxQueueKey(pWnd, nVirtKey, bAlt);
        ++m_nEvents;
    }
    // A press and a release, mostly at one point.
    void Click(CWnd* pWnd)
    {
        const CPoint pt = RandomPoint();
        Mouse(pWnd, WM_LBUTTONDOWN, pt);
        Mouse(pWnd, WM_LBUTTONUP, m_random.Percent(70) ? pt : RandomPoint());
    }

    // Input for the main window, ending early when it opens the system menu.
    void QueueForMain()
    {
        CWnd* pDlg = m_pDlg;
        const int nBatch = 1 + m_random.Below(kMaxBatch);
        for (int i = 0; i < nBatch; ++i) {
            const int n = m_random.Below(1000);
            if (n < 350) {
                Mouse(pDlg, WM_MOUSEMOVE, RandomPoint());
            } else if (n < 650) {
                Wheel(pDlg);
            } else if (n < 750) {
                Mouse(pDlg, WM_LBUTTONDOWN, RandomPoint());
            } else if (n < 850) {
                Mouse(pDlg, WM_LBUTTONUP, RandomPoint());
            } else if (n < 980) {
                Click(pDlg);
            } else if (n < 988) {
                Mouse(pDlg, WM_RBUTTONDOWN, RandomPoint());
                Mouse(pDlg, WM_RBUTTONUP, RandomPoint());
                return;
            } else if (n < 993) {
                Key(pDlg, VK_SPACE, TRUE);
                return;
            } else {
                static const UINT kKeys[] = {VK_ESCAPE, VK_RETURN, 'A', 'C'};
                Key(pDlg, kKeys[m_random.Below(4)]);
            }
        }
    }

    // One choice in the open system menu.
    void QueueForPopup()
    {
        const int n = m_random.Below(100);
        if (n < 35)
            Key(nullptr, 'A');
        else if (n < 42)
            Key(nullptr, 'C');
        else if (n < 70)
            Key(nullptr, VK_ESCAPE);
        else if (n < 80)
            Key(nullptr, VK_DOWN);
        else if (n < 88)
            Key(nullptr, VK_RETURN);
        else
            Click(m_pDlg); // in the owner: closes the menu and is not passed on
    }

    // The About box: its ways out, and input for the main window, which
    // takes none while the box is open.
    void QueueForAbout()
    {
        CWnd* pAbout = ActiveAboutBox();
        const int nBatch = 1 + m_random.Below(3);
        for (int i = 0; i < nBatch; ++i) {
            const int n = m_random.Below(100);
            if (n < 12) {
                Key(nullptr, VK_ESCAPE);
            } else if (n < 18) {
                Key(nullptr, VK_RETURN);
            } else if (n < 24 && pAbout) {
                ClickOk(pAbout);
            } else if (n < 28 && pAbout) {
                AfxQueueClose(pAbout);
                ++m_nEvents;
            } else if (n < 32) {
                Key(pAbout, VK_SPACE, TRUE); // the About box's own system menu
            } else if (n < 60) {
                Mouse(m_pDlg, WM_MOUSEMOVE, RandomPoint());
            } else if (n < 80) {
                Wheel(m_pDlg);
            } else {
                Click(m_pDlg);
            }
        }
    }

    void ClickOk(CWnd* pAbout)
    {
        CWnd* pOk = pAbout->GetDlgItem(IDOK);
        if (!pOk)
            return;
        CRect rc;
        pOk->GetWindowRect(&rc);
        pAbout->ScreenToClient(&rc);
        const CPoint pt(Coordinate(rc.left, rc.right), Coordinate(rc.top, rc.bottom));
        Mouse(pAbout, WM_LBUTTONDOWN, pt);
        Mouse(pAbout, WM_LBUTTONUP, pt);
    }

    static CWnd* ActiveAboutBox()
    {
        CWnd* pFocus = CWnd::GetFocus();
        CWnd* pDialog = pFocus ? pFocus->GetParent() : nullptr;
        CString caption;
        if (pDialog)
            pDialog->GetWindowText(caption);
        return caption == kAboutCaption ? pDialog : nullptr;
    }

    const uint64_t m_nSeed;
    const int m_nLimit;
    CRandom m_random;
    CVirtualClock& m_clock;
    CRunWatchClock& m_watch;
    CObservedDlg* m_pDlg = nullptr;
    std::atomic<int> m_nEvents{0}; // read by the watchdog
    int m_nQuits = 0;
    bool m_bFailed = false;
    MONKEYSTATS m_stats;
};

std::string Summary(const MONKEYSTATS& stats, int nEvents)
{
    std::ostringstream os;
    os << nEvents << " events, " << stats.nDialogs << " dialogs, " << stats.nStarts << " Start clicks, " << stats.nStops
       << " Stop clicks, " << stats.nAboutOpened << " About boxes; turns finding a run asleep in";
    for (EPhase phase : {EPhase::Ready, EPhase::Go, EPhase::Running, EPhase::Result})
        os << ' ' << PhaseName(phase) << ' ' << stats.phases[size_t(phase)];
    return os.str();
}

TEST(MonkeyTest, RandomInputNeverRunsTwoGamesHidesALiveGameOrLosesThePlayer)
{
    const uint64_t nSeed = SeedFromEnvironment();
    const int nEvents = EventsFromEnvironment();
    // Printed first: a sanitizer stops the program without the test's own report.
    std::printf("monkey: seed %llu, %d events (replay with QUINDLE_MONKEY_SEED=%llu)\n", (unsigned long long)nSeed,
                nEvents, (unsigned long long)nSeed);
    std::fflush(stdout);

    // The menu's Sound item is among the random choices: the choice it leaves stays here.
    CFreshStateFolder state;
    CVirtualClock clock;
    CRunWatchClock watch(clock);
    AfxSetClock(&watch);
    CMonkey monkey(nSeed, nEvents, clock, watch);
    {
        CWatchdog watchdog(kWatchdogSeconds, [&] {
            std::fprintf(stderr, "monkey: still running after %d s at event %d: seed %llu\n", kWatchdogSeconds,
                         monkey.GetEvents(), (unsigned long long)nSeed);
        });
        monkey.Run();
    }
    EXPECT_EQ(watch.GetInside(), 0) << "a run outlived its dialog";
    EXPECT_EQ(clock.GetSleeperCount(), 0) << "a run outlived its dialog";
    AfxSetClock(nullptr);

    const MONKEYSTATS& stats = monkey.GetStats();
    std::printf("monkey: %s\n", Summary(stats, monkey.GetEvents()).c_str());
    if (nEvents >= kCoverageEvents && !HasFailure()) {
        // A stream this long that never got a run to its result tests too little.
        EXPECT_GT(stats.nDialogs, 1);
        EXPECT_GT(stats.nStarts, 0);
        EXPECT_GT(stats.nStops, 0);
        EXPECT_GT(stats.nAboutOpened, 0);
        for (EPhase phase : {EPhase::Ready, EPhase::Go, EPhase::Running, EPhase::Result})
            EXPECT_GT(stats.phases[size_t(phase)], 0) << PhaseName(phase);
    }
    if (HasFailure())
        std::printf("monkey: replay with QUINDLE_MONKEY_SEED=%llu\n", (unsigned long long)nSeed);
}

} // namespace
