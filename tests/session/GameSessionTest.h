// What the game-thread tests share: the phase lengths a player sees, the
// main dialog's layout, and a game thread wired to a view and to an owner
// that records repaints, on a virtual clock installed for the fixture's life.
#pragma once

#include <gtest/gtest.h>

#include "SessionTestSupport.h"
#include "game/CourseView.h"
#include "session/GameThread.h"

// The phase lengths a player sees, in milliseconds.
constexpr DWORD kReadyMs = 2000;
constexpr DWORD kGoMs = 500;
constexpr DWORD kFrameMs = 200;
constexpr DWORD kResultMs = 2000;
// When a run's first frame after "Ready" and "Go!!" is due.
constexpr ULONGLONG kFirstPassAt = kReadyMs + kGoMs;
// How often a paused run looks whether it may go on.
constexpr DWORD kHoldPollMs = 10;

// The main dialog's real layout.
inline const CRect kArea(12, 11, 546, 197);
constexpr int kPlayerX = 100;
constexpr int kPlayerY = (11 + 197) / 2;

// A game thread that no run outlives, and whose end a test can wait for.
class CWaitedGameThread : public CGameThread {
public:
    ~CWaitedGameThread() override { AbandonAndWait(); }
    void WaitUntilEnded() { WaitForThreadProcExit(); }
};

template <class TThread>
class CGameSessionTest : public ::testing::Test {
protected:
    CGameSessionTest() : m_installer(&m_clock)
    {
        m_view.m_rcArea = kArea;
        m_owner.m_hWnd = &m_window;
        m_thread.SetOwner(&m_owner);
        m_thread.m_pView = &m_view;
    }

    // What the dialog does for a click on its Start button.
    void StartClick()
    {
        m_view.m_bInGame = 1;
        m_thread.Start();
    }

    CVirtualClock m_clock;
    CClockScope m_installer;
    CRecordingWindow m_window;
    CWnd m_owner;
    CCourseView m_view;
    TThread m_thread;
};
