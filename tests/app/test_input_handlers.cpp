// The main dialog's input, headless and through the whole platform path: the
// wheel steering the player, released clicks working Start, Exit and Stop on
// their own screen only, a Stop followed at once by a Start in every phase of
// a run, the repaints each kind of input asks for, the About item among the
// system commands, and timer 0. Runs play on the virtual clock.
#include <gtest/gtest.h>

#include <vector>

#include "AppTestSupport.h"
#include "InputTestSupport.h"
#include "platform/ui/window/UiWindow.h"

namespace {

constexpr int kMaxSleeps = 2000; // more than a run to "Goal!!" takes

// The main dialog with its runs on the virtual clock.
// Time that passes only when a run's sleep was waited out: the window's own
// paced repaints move the clock by less.
constexpr ULONGLONG kShortestRunSleepMs = 200;

class GameDialogTest : public ::testing::Test {
protected:
    void SetUp() override { CModalScript::PaintClock() = &m_clock; }
    void TearDown() override
    {
        AfxSetIdleHook(nullptr);
        CModalScript::PaintClock() = nullptr;
    }

    void Click(CPoint ptDown, CPoint ptUp)
    {
        AfxQueueMouse(&m_dlg, WM_LBUTTONDOWN, ptDown);
        AfxQueueMouse(&m_dlg, WM_LBUTTONUP, ptUp);
    }
    void Click(CPoint pt) { Click(pt, pt); }
    void Wheel(float fNotches) { AfxQueueWheel(&m_dlg, fNotches, Centre(m_dlg.m_view.m_rcArea)); }
    void Escape() { AfxQueueKey(&m_dlg, VK_ESCAPE); }

    // Waits until the run sleeps; its phase then.
    EPhase SleepingPhase()
    {
        if (!m_clock.WaitForPendingSleeper())
            return EPhase::Unknown;
        return PhaseOf(m_clock.NextSleepLength(), m_dlg.m_thread.GetStatusText());
    }
    // Lets the run's sleep run out; the phase of its next sleep.
    EPhase NextPhase()
    {
        m_clock.AdvanceToNextWake();
        return SleepingPhase();
    }
    // From a sleeping run, wakes it until it sleeps in phase; in Running, until
    // its obstacles have moved.
    void DriveTo(EPhase phase)
    {
        EPhase now = SleepingPhase();
        for (int i = 0; i < kMaxSleeps && now != phase && now != EPhase::Unknown; ++i)
            now = NextPhase();
        ASSERT_EQ(now, phase);
        for (int i = 0; i < kMaxSleeps && phase == EPhase::Running && ObstaclesAreFresh(m_dlg.m_view); ++i)
            ASSERT_EQ(NextPhase(), EPhase::Running);
    }
    BOOL RunInProgress() { return CGameThreadProbe::IsRunInProgress(m_dlg.m_thread); }
    BOOL RunEnds()
    {
        return WaitUntil([this] { return !RunInProgress(); });
    }
    int PlayerY() const { return m_dlg.m_view.m_player.GetPos().y; }
    int InGame() const { return m_dlg.m_view.m_bInGame; }
    uint32_t FlagVersion() const { return m_dlg.m_view.m_bInGame.GetVersion(); }

    // Moves time on and lets the loop handle what became due.
    void AdvanceAndPump(DWORD ms)
    {
        m_clock.Advance(ms);
        while (AfxPumpMessage(FALSE))
            ;
    }

    CVirtualClock m_clock;
    CRunWatchClock m_watch{m_clock};
    CClockScope m_clockInUse{&m_watch};
    CObservedDlg m_dlg; // destroyed first: its run is abandoned while its clock is still in use
};

// ---------------------------------------------------------------------------
// The wheel, on the game screen and on the menu after a stopped game.

class WheelTest : public GameDialogTest, public ::testing::WithParamInterface<bool> {
protected:
    // Steps that leave the dialog on the screen under test with a player that
    // a run has reset to the middle of the area.
    void ToScreen(CModalScript& script)
    {
        script.Then([&] { Click(Centre(m_dlg.m_view.m_rcStart)); }).Then([&] {
            ASSERT_EQ(SleepingPhase(), EPhase::Ready);
            if (!GetParam())
                Click(Centre(m_dlg.m_view.m_rcStop));
        });
    }
    const char* Screen() const { return GetParam() ? "game screen" : "menu screen"; }
};

TEST_P(WheelTest, EachMessageIsOneStepAndRepaintsWithoutErasing)
{
    std::vector<int> ys;
    int nPaints = 0;
    int nErases = 0;
    CModalScript script;
    ToScreen(script);
    script
        .Then([&] {
            ASSERT_EQ(InGame(), GetParam() ? 1 : 0);
            ys.push_back(PlayerY());
            nPaints = m_dlg.m_nPaints;
            nErases = m_dlg.m_nErases;
            Wheel(1);
        })
        .Then([&] {
            EXPECT_EQ(m_dlg.m_nPaints, nPaints + 1) << "a wheel message asks for a repaint";
            EXPECT_EQ(m_dlg.m_nErases, nErases) << "without erasing";
            ys.push_back(PlayerY());
            Wheel(-1);
            Wheel(-1);
        })
        .Then([&] {
            ys.push_back(PlayerY());
            Wheel(3); // one event of three notches: three messages
        })
        .Then([&] {
            ys.push_back(PlayerY());
            Escape();
        });
    script.RunDialog(m_dlg);
    const int y0 = (m_dlg.m_view.m_rcArea.top + m_dlg.m_view.m_rcArea.bottom) / 2;
    EXPECT_EQ(ys, (std::vector<int>{y0, y0 - kStep, y0 + kStep, y0 - 2 * kStep})) << Screen();
}

TEST_P(WheelTest, ClampsOnTheTopRowAndOneBelowTheLastRow)
{
    const CRect& rcArea = m_dlg.m_view.m_rcArea;
    std::vector<int> ys;
    CModalScript script;
    ToScreen(script);
    auto record = [&] { ys.push_back(PlayerY()); };
    script
        .Then([&] {
            // From the middle (104 in 11..197) 18 steps up stay inside.
            for (int i = 0; i < 18; ++i)
                Wheel(1);
        })
        .Then([&] {
            record();
            Wheel(1);
        })
        .Then([&] {
            record();
            Wheel(1);
        })
        .Then([&] {
            record();
            for (int i = 0; i < 37; ++i)
                Wheel(-1);
        })
        .Then([&] {
            record();
            Wheel(-1);
        })
        .Then([&] {
            record();
            Wheel(-1);
        })
        .Then([&] {
            record();
            Wheel(1);
        })
        .Then([&] {
            record();
            Escape();
        });
    script.RunDialog(m_dlg);
    const int top = rcArea.top;
    const int bottom = rcArea.bottom;
    ASSERT_EQ(CRect(rcArea), CRect(12, 11, 546, 197)) << "the steps above are counted for this area";
    EXPECT_EQ(ys, (std::vector<int>{14, top, top, 196, bottom, bottom, bottom - kStep})) << Screen();
}

INSTANTIATE_TEST_SUITE_P(BothScreens, WheelTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "GameScreen" : "MenuScreen");
                         });

class WheelBeforeAnyGameTest : public GameDialogTest {};

TEST_F(WheelBeforeAnyGameTest, EveryStepPutsThePlayerOnAnEdgeRow)
{
    // The player waits at (0, 0), left of the area, until the first game puts
    // it in: every step finds it outside and clamps it.
    std::vector<CPoint> positions;
    CModalScript script;
    script.Then([&] { Wheel(1); })
        .Then([&] {
            positions.push_back(m_dlg.m_view.m_player.GetPos());
            Wheel(-1);
        })
        .Then([&] {
            positions.push_back(m_dlg.m_view.m_player.GetPos());
            Wheel(-1);
        })
        .Then([&] {
            positions.push_back(m_dlg.m_view.m_player.GetPos());
            Escape();
        });
    script.RunDialog(m_dlg);
    const CRect& rcArea = m_dlg.m_view.m_rcArea;
    EXPECT_EQ(positions,
              (std::vector<CPoint>{CPoint(0, rcArea.top), CPoint(0, rcArea.bottom), CPoint(0, rcArea.bottom)}));
}

class WheelDeltaTest : public GameDialogTest {};

TEST_F(WheelDeltaTest, AnyPositiveDeltaIsOneStepUpAndAnyOtherOneStepDown)
{
    // The platform only sends whole notches of 120; other deltas come from
    // other senders and still make one step each.
    std::vector<int> moves;
    CModalScript script;
    script.Then([&] { Click(Centre(m_dlg.m_view.m_rcStart)); }).Then([&] {
        ASSERT_EQ(SleepingPhase(), EPhase::Ready);
        for (short zDelta : {1, 240, 32767, 0, -1, -32768}) {
            const int y = PlayerY();
            m_dlg.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(zDelta)), 0);
            moves.push_back(PlayerY() - y);
        }
        Escape();
    });
    script.RunDialog(m_dlg);
    EXPECT_EQ(moves, (std::vector<int>{-kStep, -kStep, -kStep, kStep, kStep, kStep}));
}

// ---------------------------------------------------------------------------
// Clicks on the menu screen.

class MenuClickTest : public GameDialogTest {};

TEST_F(MenuClickTest, PressInsideStartReleasedOutsideStartsNothing)
{
    const CRect& rcStart = m_dlg.m_view.m_rcStart;
    uint32_t nVersion = 0;
    CModalScript script;
    script
        .Then([&] {
            nVersion = FlagVersion();
            Click(Centre(rcStart), CPoint(rcStart.right, rcStart.top)); // the right edge is outside
        })
        .Then([&] {
            EXPECT_EQ(InGame(), 0);
            EXPECT_EQ(FlagVersion(), nVersion);
            EXPECT_FALSE(RunInProgress());
            Escape();
        });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
}

TEST_F(MenuClickTest, PressOutsideReleasedInsideStartsAGameShowingReady)
{
    const CRect& rcStart = m_dlg.m_view.m_rcStart;
    CModalScript script;
    script.Then([&] { Click(CPoint(2, 2), CPoint(rcStart.left, rcStart.top)); }).Then([&] {
        EXPECT_EQ(InGame(), 1);
        EXPECT_TRUE(RunInProgress());
        EXPECT_EQ(SleepingPhase(), EPhase::Ready);
        EXPECT_LT(m_clock.GetTickCount(), kShortestRunSleepMs) << "at once";
        EXPECT_TRUE(ObstaclesAreFresh(m_dlg.m_view));
        EXPECT_EQ(m_dlg.m_view.m_player.GetPos(), CPoint(100, 104));
        Escape();
    });
    script.RunDialog(m_dlg);
}

TEST_F(MenuClickTest, StartIsTestedBeforeExit)
{
    bool bStillRunning = false;
    CModalScript script;
    script
        .Then([&] {
            m_dlg.m_view.m_rcExit = m_dlg.m_view.m_rcStart;
            Click(Centre(m_dlg.m_view.m_rcStart));
        })
        .Then([&] {
            bStillRunning = true;
            EXPECT_EQ(InGame(), 1);
            EXPECT_EQ(SleepingPhase(), EPhase::Ready);
            Escape();
        });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
    EXPECT_TRUE(bStillRunning);
}

TEST_F(MenuClickTest, ReleaseOverExitEndsTheDialogWithOk)
{
    const CRect& rcExit = m_dlg.m_view.m_rcExit;
    CModalScript script;
    script.Then([&] { Click(CPoint(rcExit.right - 1, rcExit.bottom - 1)); });
    EXPECT_EQ(script.RunDialog(m_dlg), IDOK);
    EXPECT_FALSE(RunInProgress());
}

TEST_F(MenuClickTest, ReleaseOverStopDoesNothing)
{
    uint32_t nVersion = 0;
    int nPaints = 0;
    CModalScript script;
    script
        .Then([&] {
            nVersion = FlagVersion();
            nPaints = m_dlg.m_nPaints;
            Click(Centre(m_dlg.m_view.m_rcStop));
        })
        .Then([&] {
            EXPECT_EQ(FlagVersion(), nVersion);
            EXPECT_FALSE(RunInProgress());
            EXPECT_EQ(m_dlg.m_nPaints, nPaints) << "no repaint either";
            Escape();
        });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
}

// ---------------------------------------------------------------------------
// Clicks on the game screen.

class GameScreenClickTest : public GameDialogTest {
protected:
    // Starts a game and waits until it shows "Ready".
    CModalScript& StartGame(CModalScript& script)
    {
        return script.Then([&] { Click(Centre(m_dlg.m_view.m_rcStart)); }).Then([&] {
            ASSERT_EQ(SleepingPhase(), EPhase::Ready);
        });
    }
};

TEST_F(GameScreenClickTest, ReleaseOverTheUndrawnStartOrExitDoesNothing)
{
    uint32_t nVersion = 0;
    int nCutShort = 0;
    int nPaints = 0;
    bool bStillRunning = false;
    CModalScript script;
    StartGame(script)
        .Then([&] {
            nVersion = FlagVersion();
            nCutShort = m_watch.GetCutShort();
            nPaints = m_dlg.m_nPaints;
            Click(Centre(m_dlg.m_view.m_rcStart));
            Click(Centre(m_dlg.m_view.m_rcExit));
        })
        .Then([&] {
            bStillRunning = true;
            EXPECT_EQ(InGame(), 1);
            EXPECT_EQ(FlagVersion(), nVersion);
            EXPECT_EQ(m_watch.GetCutShort(), nCutShort) << "the run was not restarted";
            EXPECT_EQ(SleepingPhase(), EPhase::Ready);
            EXPECT_EQ(m_dlg.m_nPaints, nPaints) << "no repaint either";
            Escape();
        });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
    EXPECT_TRUE(bStillRunning);
}

TEST_F(GameScreenClickTest, StopShowsTheMenuAtOnceAndTheRunEndsAtItsNextCheckpoint)
{
    CModalScript script;
    StartGame(script)
        .Then([&] {
            DriveTo(EPhase::Running);
            Click(Centre(m_dlg.m_view.m_rcStop));
        })
        .Then([&] {
            EXPECT_EQ(InGame(), 0) << "the menu at once";
            EXPECT_TRUE(RunInProgress()) << "the run still sleeps in its frame";
            m_clock.AdvanceToNextWake();
            EXPECT_TRUE(RunEnds());
            EXPECT_EQ(m_clock.GetSleeperCount(), 0);
            EXPECT_EQ(m_dlg.m_thread.GetStatusText(), "") << "no result shown";
            EXPECT_EQ(InGame(), 0);
            Escape();
        });
    script.RunDialog(m_dlg);
}

TEST_F(GameScreenClickTest, StopDuringReadyLetsTheRunShowGoThenEndAfterOneFrame)
{
    std::vector<EPhase> phases;
    std::vector<int> flags;
    CModalScript script;
    StartGame(script).Then([&] { Click(Centre(m_dlg.m_view.m_rcStop)); }).Then([&] {
        flags.push_back(InGame());
        phases.push_back(NextPhase());
        flags.push_back(InGame());
        phases.push_back(NextPhase());
        flags.push_back(InGame());
        m_clock.AdvanceToNextWake();
        EXPECT_TRUE(RunEnds());
        flags.push_back(InGame());
        Escape();
    });
    script.RunDialog(m_dlg);
    EXPECT_EQ(phases, (std::vector<EPhase>{EPhase::Go, EPhase::Running}));
    EXPECT_EQ(flags, (std::vector<int>{0, 0, 0, 0})) << "the menu stays";
}

// Stop and Start released one right after the other, in each phase of the run.
class StopThenStartTest : public GameScreenClickTest, public ::testing::WithParamInterface<EPhase> {};

TEST_P(StopThenStartTest, StartsAFreshRunShowingReadyAtOnce)
{
    int nCutShort = 0;
    ULONGLONG now = 0;
    CModalScript script;
    StartGame(script)
        .Then([&] {
            DriveTo(GetParam());
            if (GetParam() == EPhase::Running || GetParam() == EPhase::Result) {
                ASSERT_FALSE(ObstaclesAreFresh(m_dlg.m_view));
            }
            nCutShort = m_watch.GetCutShort();
            now = m_clock.GetTickCount();
            Click(Centre(m_dlg.m_view.m_rcStop));
            Click(Centre(m_dlg.m_view.m_rcStart));
        })
        .Then([&] {
            EXPECT_EQ(InGame(), 1);
            const CString status = m_dlg.m_thread.GetStatusText();
            EXPECT_TRUE(status == "" || status == "Ready") << "stale status: " << status;
            EXPECT_EQ(m_watch.GetCutShort(), nCutShort + 1) << "the old run was abandoned";
            EXPECT_EQ(SleepingPhase(), EPhase::Ready);
            EXPECT_LT(m_clock.GetTickCount() - now, kShortestRunSleepMs) << "at once";
            EXPECT_TRUE(ObstaclesAreFresh(m_dlg.m_view)) << "the old obstacles";
            EXPECT_EQ(InGame(), 1);
            EXPECT_EQ(NextPhase(), EPhase::Go);
            EXPECT_EQ(InGame(), 1) << "the old run took the game screen away";
            EXPECT_EQ(m_watch.GetOverlaps(), 0);
            EXPECT_EQ(m_watch.GetStaleSleeps(), 0);
            Escape();
        });
    script.RunDialog(m_dlg);
}

INSTANTIATE_TEST_SUITE_P(EveryPhase, StopThenStartTest,
                         ::testing::Values(EPhase::Ready, EPhase::Go, EPhase::Running, EPhase::Result),
                         [](const ::testing::TestParamInfo<EPhase>& info) {
                             return std::string(PhaseName(info.param));
                         });

// ---------------------------------------------------------------------------
// Hover and the repaints that input asks for.

class PaintRequestTest : public GameDialogTest {
protected:
    struct HOVER {
        BOOL bStart, bExit, bStop;
        bool operator==(const HOVER& o) const { return bStart == o.bStart && bExit == o.bExit && bStop == o.bStop; }
    };
    HOVER Hover() const
    {
        return HOVER{m_dlg.m_view.m_bHoverStart, m_dlg.m_view.m_bHoverExit, m_dlg.m_view.m_bHoverStop};
    }
};

TEST_F(PaintRequestTest, MouseMoveUpdatesTheHoverAndRepaintsWithoutErasing)
{
    const size_t nMoves = 4;
    std::vector<CPoint> points;
    std::vector<HOVER> hovers;
    int nPaints = 0;
    int nErases = 0;
    CModalScript script;
    script.Then([&] {
        const CRect& rcStart = m_dlg.m_view.m_rcStart;
        points = {Centre(rcStart), Centre(m_dlg.m_view.m_rcExit), Centre(m_dlg.m_view.m_rcStop),
                  CPoint(rcStart.right, rcStart.top)};
        nPaints = m_dlg.m_nPaints;
        nErases = m_dlg.m_nErases;
        AfxQueueMouse(&m_dlg, WM_MOUSEMOVE, points[0]);
    });
    for (size_t i = 1; i <= nMoves; ++i) {
        script.Then([&, i] {
            hovers.push_back(Hover());
            EXPECT_EQ(m_dlg.m_nPaints, nPaints + int(i)) << "one repaint per move";
            if (i < nMoves) {
                AfxQueueMouse(&m_dlg, WM_MOUSEMOVE, points[i]);
            } else {
                Escape();
            }
        });
    }
    script.RunDialog(m_dlg);
    EXPECT_EQ(m_dlg.m_nErases, nErases);
    EXPECT_EQ(hovers, (std::vector<HOVER>{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 0}}));
}

TEST_F(PaintRequestTest, StartAndStopClicksRepaintWithErasing)
{
    int nErases = 0;
    std::vector<int> erased;
    CModalScript script;
    script
        .Then([&] {
            nErases = m_dlg.m_nErases;
            Click(Centre(m_dlg.m_view.m_rcStart));
        })
        .Then([&] {
            erased.push_back(m_dlg.m_nErases - nErases);
            ASSERT_EQ(SleepingPhase(), EPhase::Ready);
            nErases = m_dlg.m_nErases;
            Click(Centre(m_dlg.m_view.m_rcStop));
        })
        .Then([&] {
            erased.push_back(m_dlg.m_nErases - nErases);
            Escape();
        });
    script.RunDialog(m_dlg);
    EXPECT_EQ(erased, (std::vector<int>{1, 1}));
}

// ---------------------------------------------------------------------------
// The system menu's About item, the hidden Start and Stop controls, timer 0.

class SystemCommandTest : public GameDialogTest {};

TEST_F(SystemCommandTest, AboutIsSixteenUpAndOtherCommandsGetDefaultProcessing)
{
    bool bAboutAt15 = true;
    bool bAboutAt16 = false;
    bool bPopupForKeyMenu = false;
    CModalScript script;
    script
        .Then([&] {
            m_dlg.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX - 1, 0);
            bAboutAt15 = IsAboutBoxActive();
            m_dlg.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX, 0); // runs the steps below until it closes
        })
        .Then([&] {
            bAboutAt16 = IsAboutBoxActive();
            AfxQueueKey(nullptr, VK_ESCAPE);
        })
        .Then([&] { m_dlg.SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0); })
        .Then([&] {
            // Still inside the command: the default processing opened the popup.
            bPopupForKeyMenu = m_dlg.IsPopupOrAboutOpen() && !IsAboutBoxActive();
            AfxQueueKey(nullptr, VK_ESCAPE);
        })
        .Then([&] { Escape(); });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
    EXPECT_FALSE(bAboutAt15);
    EXPECT_TRUE(bAboutAt16);
    EXPECT_TRUE(bPopupForKeyMenu);
}

TEST_F(SystemCommandTest, AboutBoxOverAGameLetsTheGameGoOnAndTakesTheMainWindowsInput)
{
    int y = 0;
    int nPaints = 0;
    bool bAbout = false;
    EPhase phase = EPhase::Unknown;
    CModalScript script;
    script.Then([&] { Click(Centre(m_dlg.m_view.m_rcStart)); })
        .Then([&] {
            ASSERT_EQ(SleepingPhase(), EPhase::Ready);
            AfxQueueMouse(&m_dlg, WM_RBUTTONUP, CPoint(40, 220)); // the system menu
        })
        .Then([&] { AfxQueueKey(nullptr, 'A'); })
        .Then([&] {
            bAbout = IsAboutBoxActive();
            y = PlayerY();
            nPaints = m_dlg.m_nPaints;
            Wheel(1); // for the main window, which takes no input now
            phase = NextPhase();
        })
        .Then([&] {
            EXPECT_EQ(PlayerY(), y);
            EXPECT_GT(m_dlg.m_nPaints, nPaints) << "the main window paints the run";
            EXPECT_EQ(InGame(), 1);
            AfxQueueKey(nullptr, VK_ESCAPE); // closes the About box
        })
        .Then([&] {
            EXPECT_FALSE(IsAboutBoxActive());
            Wheel(1);
        })
        .Then([&] {
            EXPECT_EQ(PlayerY(), y - kStep);
            Escape();
        });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
    EXPECT_TRUE(bAbout);
    EXPECT_EQ(phase, EPhase::Go);
}

TEST_F(SystemCommandTest, HiddenStartAndStopCommandsDriveTheRunButNotTheScreen)
{
    uint32_t nVersion = 0;
    std::vector<EPhase> phases;
    CModalScript script;
    script.Then([&] {
        nVersion = FlagVersion();
        m_dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_START, BN_CLICKED), 0);
        EXPECT_TRUE(RunInProgress());
        phases.push_back(SleepingPhase());
        m_dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_STOP, BN_CLICKED), 0);
        // A stop takes effect at the end of the first frame.
        phases.push_back(NextPhase());
        phases.push_back(NextPhase());
        m_clock.AdvanceToNextWake();
        EXPECT_TRUE(RunEnds());
        Escape();
    });
    script.RunDialog(m_dlg);
    EXPECT_EQ(phases, (std::vector<EPhase>{EPhase::Ready, EPhase::Go, EPhase::Running}));
    EXPECT_EQ(InGame(), 0);
    EXPECT_EQ(FlagVersion(), nVersion) << "neither command touches the in-game flag";
}

class TimerZeroTest : public GameDialogTest {};

TEST_F(TimerZeroTest, OnlyTimerZeroUpdatesTheControlsAndTakesTheFocus)
{
    // A control that the thread enables while no run plays: UpdateControls shows.
    BOOL bEnabledAfter7 = TRUE;
    BOOL bEnabledAfter0 = FALSE;
    CWnd* pFocusAfter7 = &m_dlg;
    CWnd* pFocusAfter0 = nullptr;
    std::vector<UINT_PTR> ticks;
    CModalScript script;
    script.Then([&] {
        CGameThreadProbe::EnableWhileIdle(m_dlg.m_thread).AddControl(IDC_TITLE);
        m_dlg.SetTimer(7, 50, NULL);
        AfxSetFocusWindow(nullptr);
        AdvanceAndPump(50);
        ticks = m_dlg.m_ticks;
        bEnabledAfter7 = m_dlg.GetDlgItem(IDC_TITLE)->IsWindowEnabled();
        pFocusAfter7 = CWnd::GetFocus();
        m_dlg.KillTimer(7);
        AdvanceAndPump(150);
        bEnabledAfter0 = m_dlg.GetDlgItem(IDC_TITLE)->IsWindowEnabled();
        pFocusAfter0 = CWnd::GetFocus();
        Escape();
    });
    script.RunDialog(m_dlg);
    EXPECT_EQ(ticks, std::vector<UINT_PTR>{7});
    EXPECT_FALSE(bEnabledAfter7);
    EXPECT_EQ(pFocusAfter7, nullptr);
    EXPECT_EQ(m_dlg.m_ticks, (std::vector<UINT_PTR>{7, 0}));
    EXPECT_TRUE(bEnabledAfter0);
    EXPECT_EQ(pFocusAfter0, &m_dlg);
}

} // namespace
