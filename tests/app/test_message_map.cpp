// Message maps without windows: lookup order along the class chain, command
// routing by identifier, default processing of the message being handled.
#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/window/MessageMap.h"

namespace {

class CBaseTarget : public CCmdTarget {
public:
    std::vector<const char*> m_calls;

protected:
    afx_msg void OnFirst() { m_calls.push_back("base first"); }
    afx_msg void OnSecond() { m_calls.push_back("base second"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTarget, CCmdTarget)
ON_COMMAND(1, OnFirst)
ON_COMMAND(2, OnSecond)
END_MESSAGE_MAP()

class CDerivedTarget : public CBaseTarget {
protected:
    afx_msg void OnFirst() { m_calls.push_back("derived first"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTarget, CBaseTarget)
ON_COMMAND(1, OnFirst)
END_MESSAGE_MAP()

TEST(MessageMap, DerivedEntryWinsAndTheRestFallsToTheBaseMap)
{
    CDerivedTarget target;
    EXPECT_TRUE(target.OnCmdMsg(1, BN_CLICKED));
    EXPECT_TRUE(target.OnCmdMsg(2, BN_CLICKED));
    EXPECT_FALSE(target.OnCmdMsg(3, BN_CLICKED));
    EXPECT_FALSE(target.OnCmdMsg(1, 5)) << "another notification code";
    EXPECT_EQ(target.m_calls, (std::vector<const char*>{"derived first", "base second"}));
}

// A window object without a window that records what reaches default processing.
class CRecordingWnd : public CWnd {
public:
    std::vector<UINT> m_defaults;
    std::vector<UINT_PTR> m_ticks;

    LRESULT DefWindowProc(UINT message, WPARAM, LPARAM) override
    {
        m_defaults.push_back(message);
        return 0;
    }

protected:
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        m_ticks.push_back(nIDEvent);
        SendMessage(WM_PAINT); // a message of its own first
        Default();
    }
    afx_msg void OnPaint() {}

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingWnd, CWnd)
ON_WM_TIMER()
ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(MessageMap, DefaultPassesOnTheMessageBeingHandled)
{
    CRecordingWnd wnd;
    wnd.SendMessage(WM_TIMER, 3, 0);
    EXPECT_EQ(wnd.m_ticks, std::vector<UINT_PTR>{3});
    EXPECT_EQ(wnd.m_defaults, std::vector<UINT>{WM_TIMER});
}

TEST(MessageMap, UnmappedMessagesAndCommandsGoToDefaultProcessing)
{
    CRecordingWnd wnd;
    wnd.SendMessage(WM_MOUSEMOVE, 0, 0);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(wnd.m_defaults, (std::vector<UINT>{WM_MOUSEMOVE, WM_COMMAND}));
}

TEST(MessageMap, WindowLessWndIgnoresWindowOperations)
{
    CWnd wnd;
    CRect rc(1, 2, 3, 4);
    wnd.GetClientRect(&rc);
    EXPECT_EQ(rc, CRect(0, 0, 0, 0));
    EXPECT_EQ(wnd.SetTimer(0, 200, NULL), 0u);
    EXPECT_EQ(wnd.GetSystemMenu(FALSE), nullptr);
    EXPECT_EQ(wnd.SetFocus(), nullptr);
    EXPECT_FALSE(wnd.IsIconic());
    EXPECT_EQ(wnd.SendMessage(WM_PAINT), 0);
}

} // namespace
