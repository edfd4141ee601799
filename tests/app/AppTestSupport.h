// Support for the window tests: SDL's dummy video driver (no display), a
// virtual clock for the timers, and a script that drives a modal loop turn by
// turn through the loop's idle hook.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/VirtualClock.h"
#include "platform/ui/dialog/Dialog.h"
#include "platform/ui/window/MessagePump.h"
#include "platform/ui/frame/WinApp.h"

// Opens the dummy display once for the whole test program, and gives the
// program a state folder of its own, so that the runs the tests play keep
// their best score there and not in the user's.
class CDummyDisplay : public ::testing::Environment {
public:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        // SDL drops controller input while none of its windows has the
        // keyboard focus, and its dummy driver can give none the focus. The
        // program drops it by the same rule, on the focus its windows are
        // told of (which the tests give them): SDL's copy of the rule is
        // left to the program here.
        setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
        char szState[] = "/tmp/quindle-test-state.XXXXXX";
        ASSERT_NE(mkdtemp(szState), nullptr);
        m_strState = szState;
        setenv("XDG_STATE_HOME", szState, 1);
        ASSERT_TRUE(AfxWinInit());
    }
    void TearDown() override
    {
        AfxWinTerm();
        std::error_code error;
        std::filesystem::remove_all(m_strState, error);
    }

private:
    std::string m_strState;
};

// A state folder of the test's own while it lives: what the test keeps (a
// best score, the sound choice) neither comes from an earlier test nor
// reaches a later one, whatever order the tests run in. Made before the
// dialogs that read it open, gone after they close.
class CFreshStateFolder {
public:
    CFreshStateFolder()
    {
        const char* pszOld = std::getenv("XDG_STATE_HOME");
        m_strOld = pszOld ? pszOld : "";
        char szState[] = "/tmp/quindle-test-state.XXXXXX";
        EXPECT_NE(mkdtemp(szState), nullptr);
        m_strPath = szState;
        setenv("XDG_STATE_HOME", szState, 1);
    }
    CFreshStateFolder(const CFreshStateFolder&) = delete;
    CFreshStateFolder& operator=(const CFreshStateFolder&) = delete;
    ~CFreshStateFolder()
    {
        setenv("XDG_STATE_HOME", m_strOld.c_str(), 1);
        std::error_code error;
        std::filesystem::remove_all(m_strPath, error);
    }

private:
    std::string m_strOld;
    std::string m_strPath;
};

// Steps run one per idle turn of whatever modal loop is running (nested
// loops included): a step queues input or checks state, and the loop handles
// what it queued before the next step runs. A turn on which a paced repaint
// is still to come is no idle turn: as the real wait sleeps until it is due,
// the script moves the test's virtual clock there (when the fixture gave one). When the steps are used up and a
// loop still runs, the script fails the test and presses Escape until every
// loop has ended.
class CModalScript {
public:
    CModalScript& Then(std::function<void()> step)
    {
        m_steps.push_back(std::move(step));
        return *this;
    }

    // Runs fnModal (which runs a modal loop) with the script as the idle hook.
    void Run(const std::function<void()>& fnModal)
    {
        AfxSetIdleHook([this] { Next(); });
        fnModal();
        AfxSetIdleHook(nullptr);
        EXPECT_EQ(m_nNext, m_steps.size()) << "the loop ended before the script did";
    }

    // The clock that turns wait for a paced repaint, or nullptr for none.
    static CVirtualClock*& PaintClock()
    {
        static CVirtualClock* s_pClock = nullptr;
        return s_pClock;
    }

    INT_PTR RunDialog(CDialog& dlg)
    {
        INT_PTR nResult = 0;
        Run([&] { nResult = dlg.DoModal(); });
        return nResult;
    }

private:
    static constexpr int kMaxOverrun = 50;

    void Next()
    {
        const ULONGLONG due = AfxGetNextPaintDue();
        CVirtualClock* pClock = PaintClock();
        if (pClock && due != ~ULONGLONG(0) && due > pClock->GetTickCount()) {
            pClock->Advance(DWORD(due - pClock->GetTickCount()));
            return;
        }
        if (m_nNext < m_steps.size()) {
            m_steps[m_nNext++]();
            return;
        }
        if (m_nOverrun++ == 0)
            ADD_FAILURE() << "a modal loop still runs after the last step";
        if (m_nOverrun > kMaxOverrun)
            std::abort();
        AfxQueueKey(nullptr, VK_ESCAPE);
    }

    std::vector<std::function<void()>> m_steps;
    size_t m_nNext = 0;
    int m_nOverrun = 0;
};

// A fixture whose timers run on a virtual clock.
class CVirtualTimeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AfxSetClock(&m_clock);
        CModalScript::PaintClock() = &m_clock;
    }
    void TearDown() override
    {
        AfxSetIdleHook(nullptr);
        CModalScript::PaintClock() = nullptr;
        AfxSetClock(nullptr);
    }

    // Moves time on and lets the loop handle what became due.
    void AdvanceAndPump(DWORD ms)
    {
        m_clock.Advance(ms);
        while (AfxPumpMessage(FALSE))
            ;
    }

    CVirtualClock m_clock;
};

// Where a click on rc lands.
inline CPoint Centre(const CRect& rc)
{
    return CPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

// TRUE while the keyboard focus is in the About box.
inline bool IsAboutBoxActive()
{
    CWnd* pFocus = CWnd::GetFocus();
    CWnd* pDialog = pFocus ? pFocus->GetParent() : nullptr;
    CString caption;
    if (pDialog)
        pDialog->GetWindowText(caption);
    return caption == "Quindleのﾊﾞｰｼﾞｮﾝ情報";
}
