// The main dialog from start-up to exit, headless: the layout it takes from
// its hidden controls, the system menu, the wiring of the game thread, timer
// 0, the ways out, and the About box on top of it.
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/QuindleApp.h"
#include "app/QuindleDlg.h"
#include "platform/core/StringTable.h"
#include "platform/ui/window/Menu.h"

namespace {

// The main dialog with a record of what its timer saw.
class CTimerProbeDlg : public CQuindleDlg {
public:
    int m_nTicks = 0;
    CWnd* m_pOwnerAtFirstTick = nullptr;
    CCourseView* m_pViewAtFirstTick = nullptr;
    int m_nMouseMoves = 0;
    int m_nPaints = 0;

protected:
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        if (m_nTicks++ == 0) {
            m_pOwnerAtFirstTick = m_thread.GetOwner();
            m_pViewAtFirstTick = m_thread.m_pView;
        }
        CQuindleDlg::OnTimer(nIDEvent);
    }
    afx_msg void OnMouseMove(UINT, CPoint)
    {
        ++m_nMouseMoves;
        Default();
    }
    afx_msg void OnPaint()
    {
        ++m_nPaints;
        CQuindleDlg::OnPaint();
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTimerProbeDlg, CQuindleDlg)
ON_WM_TIMER()
ON_WM_MOUSEMOVE()
ON_WM_PAINT()
END_MESSAGE_MAP()

class MainDialogTest : public CVirtualTimeTest {};

TEST_F(MainDialogTest, LayoutComesFromTheHiddenControlsInClientPixels)
{
    CQuindleDlg dlg;
    CRect rcClient;
    CModalScript script;
    script.Then([&] {
        dlg.GetClientRect(&rcClient);
        AfxQueueKey(&dlg, VK_ESCAPE);
    });
    script.RunDialog(dlg);

    EXPECT_EQ(rcClient, CRect(0, 0, 558, 251));
    EXPECT_EQ(dlg.m_view.m_rcArea, CRect(12, 11, 546, 197));
    EXPECT_EQ(dlg.m_view.m_rcStart, CRect(214, 102, 338, 134));
    EXPECT_EQ(dlg.m_view.m_rcExit, CRect(214, 146, 338, 178));
    EXPECT_EQ(dlg.m_view.m_rcStop, CRect(422, 200, 546, 232));
    EXPECT_EQ(dlg.m_view.m_rcTitle, CRect(86, 23, 469, 77));
    EXPECT_GE(dlg.m_view.m_rcStop.top, dlg.m_view.m_rcArea.bottom) << "Stop lies below the area";
    EXPECT_EQ(dlg.m_view.m_strText, "Quindle");
}

TEST_F(MainDialogTest, NoTemplateControlIsVisibleOrEnabled)
{
    CQuindleDlg dlg;
    CModalScript script;
    script.Then([&] {
        for (int nID : {IDC_TITLE, IDC_START, IDOK, IDC_STOP, IDC_AREA}) {
            CWnd* pControl = dlg.GetDlgItem(nID);
            ASSERT_NE(pControl, nullptr) << nID;
            EXPECT_FALSE(pControl->IsWindowVisible()) << nID;
            EXPECT_FALSE(pControl->IsWindowEnabled()) << nID;
        }
        AfxQueueKey(&dlg, VK_ESCAPE);
    });
    script.RunDialog(dlg);
}

TEST_F(MainDialogTest, SystemMenuEndsWithSeparatorAndAboutItemAfterTheCheckedSoundItem)
{
    CFreshStateFolder state; // nothing kept: the sound starts on
    CQuindleDlg dlg;
    CModalScript script;
    script.Then([&] {
        CMenu* pMenu = dlg.GetSystemMenu(FALSE);
        ASSERT_NE(pMenu, nullptr);
        // Close, the Sound item and the window's size items, each group after its separator, then About.
        const int n = pMenu->GetMenuItemCount();
        ASSERT_EQ(n, 10);
        EXPECT_EQ(pMenu->GetMenuItemID(0), UINT(SC_CLOSE));
        EXPECT_EQ(pMenu->GetMenuState(1, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));
        EXPECT_EQ(pMenu->GetMenuItemID(2), UINT(IDM_SOUND));
        EXPECT_EQ(pMenu->GetMenuState(3, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));
        const UINT sizeItems[] = {IDM_FULLSCREEN, IDM_ZOOMIN, IDM_ZOOMOUT, IDM_ZOOMRESET};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(pMenu->GetMenuItemID(4 + i), sizeItems[i]);
        EXPECT_EQ(pMenu->GetMenuState(n - 2, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));
        EXPECT_EQ(pMenu->GetMenuItemID(n - 1), UINT(IDM_ABOUTBOX));
        CString text;
        pMenu->GetMenuString(n - 1, text, MF_BYPOSITION);
        EXPECT_EQ(text, "Quindle のﾊﾞｰｼﾞｮﾝ情報(&A)...");
        pMenu->GetMenuString(IDM_SOUND, text, MF_BYCOMMAND);
        EXPECT_EQ(text, "&Sound");
        EXPECT_EQ(pMenu->GetMenuState(IDM_SOUND, MF_BYCOMMAND), UINT(MF_CHECKED)) << "the sound starts on";
        EXPECT_EQ(pMenu->GetMenuState(IDM_ABOUTBOX, MF_BYCOMMAND), UINT(MF_ENABLED)) << "no check on About";
        // The framework's check mark: the previous state back, none for a separator or no item.
        EXPECT_EQ(pMenu->CheckMenuItem(IDM_ABOUTBOX, MF_BYCOMMAND | MF_CHECKED), UINT(MF_UNCHECKED));
        EXPECT_EQ(pMenu->CheckMenuItem(n - 1, MF_BYPOSITION | MF_UNCHECKED), UINT(MF_CHECKED));
        EXPECT_EQ(pMenu->GetMenuState(IDM_ABOUTBOX, MF_BYCOMMAND), UINT(MF_ENABLED));
        EXPECT_EQ(pMenu->CheckMenuItem(1, MF_BYPOSITION | MF_CHECKED), 0xFFFFFFFFu);
        EXPECT_EQ(pMenu->CheckMenuItem(0x7770, MF_BYCOMMAND | MF_CHECKED), 0xFFFFFFFFu);
        AfxQueueKey(&dlg, VK_ESCAPE);
    });
    script.RunDialog(dlg);
}

TEST_F(MainDialogTest, EmptyAboutStringAppendsNeitherSeparatorNorItem)
{
    const AFX_STRING_ENTRY empty[] = {{IDS_ABOUTBOX, ""}};
    AfxSetStringTable(empty, 1);
    CQuindleDlg dlg;
    int nItems = -1;
    CModalScript script;
    script.Then([&] {
        nItems = dlg.GetSystemMenu(FALSE)->GetMenuItemCount();
        AfxQueueKey(&dlg, VK_ESCAPE);
    });
    script.RunDialog(dlg);
    AfxSetStringTable(nullptr, 0);
    EXPECT_EQ(nItems, 1) << "only the standard Close item";
}

TEST_F(MainDialogTest, GameThreadIsWiredBeforeTheFirstTickOfTimerZero)
{
    CTimerProbeDlg dlg;
    int nTicksAt199 = -1;
    CModalScript script;
    script.Then([&] {
        EXPECT_EQ(AfxGetTimerElapse(&dlg, 0), 200u);
        AdvanceAndPump(199);
        nTicksAt199 = dlg.m_nTicks;
        AdvanceAndPump(1);
    })
        .Then([&] {
            AdvanceAndPump(200);
            AfxQueueKey(&dlg, VK_ESCAPE);
        });
    script.RunDialog(dlg);

    EXPECT_EQ(nTicksAt199, 0);
    EXPECT_EQ(dlg.m_nTicks, 2) << "every 200 ms, never killed";
    EXPECT_EQ(dlg.m_pOwnerAtFirstTick, &dlg);
    EXPECT_EQ(dlg.m_pViewAtFirstTick, &dlg.m_view);
}

TEST_F(MainDialogTest, EscapeEndsTheDialogWithCancel)
{
    CQuindleDlg dlg;
    CModalScript script;
    script.Then([&] { AfxQueueKey(&dlg, VK_ESCAPE); });
    EXPECT_EQ(script.RunDialog(dlg), IDCANCEL);
}

TEST_F(MainDialogTest, CloseButtonEndsTheDialogWithCancel)
{
    CQuindleDlg dlg;
    CModalScript script;
    script.Then([&] { AfxQueueClose(&dlg); });
    EXPECT_EQ(script.RunDialog(dlg), IDCANCEL);
}

TEST_F(MainDialogTest, SystemMenuCloseCommandEndsTheDialogWithCancel)
{
    CQuindleDlg dlg;
    CModalScript script;
    script.Then([&] { dlg.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(script.RunDialog(dlg), IDCANCEL);
}

TEST_F(MainDialogTest, OkCommandEndsTheDialogWithOk)
{
    CQuindleDlg dlg;
    CModalScript script;
    script.Then([&] { dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); });
    EXPECT_EQ(script.RunDialog(dlg), IDOK);
}

TEST_F(MainDialogTest, EnterDoesNotEndTheDialogBecauseTheDefaultButtonIsDisabled)
{
    CQuindleDlg dlg;
    bool bStillRunning = false;
    CModalScript script;
    script.Then([&] { AfxQueueKey(&dlg, VK_RETURN); })
        .Then([&] {
            bStillRunning = true;
            AfxQueueKey(&dlg, VK_ESCAPE);
        });
    EXPECT_EQ(script.RunDialog(dlg), IDCANCEL);
    EXPECT_TRUE(bStillRunning);
}

TEST_F(MainDialogTest, ClickOnTheHiddenExitSlotReachesTheDialogNotTheControl)
{
    // The Exit slot is a disabled control: the release goes to the dialog's
    // own handler, whose self-drawn Exit button ends it with IDOK.
    CQuindleDlg dlg;
    CModalScript script;
    script.Then([&] {
        const CPoint ptExit(dlg.m_view.m_rcExit.left + 5, dlg.m_view.m_rcExit.top + 5);
        AfxQueueMouse(&dlg, WM_LBUTTONDOWN, ptExit);
        AfxQueueMouse(&dlg, WM_LBUTTONUP, ptExit);
    });
    EXPECT_EQ(script.RunDialog(dlg), IDOK);
}

TEST_F(MainDialogTest, AboutItemOpensTheAboutBoxModallyAndEscapeClosesOnlyIt)
{
    CTimerProbeDlg dlg;
    bool bAboutSeen = false;
    bool bAboutGone = false;
    int nMovesBefore = 0;
    int nPaintsBefore = 0;
    CModalScript script;
    script.Then([&] { AfxQueueMouse(&dlg, WM_RBUTTONUP, CPoint(40, 220)); }) // opens the system menu
        .Then([&] { AfxQueueKey(nullptr, 'A'); })                         // its About item
        .Then([&] {
            bAboutSeen = IsAboutBoxActive();
            nMovesBefore = dlg.m_nMouseMoves;
            nPaintsBefore = dlg.m_nPaints;
            AfxQueueMouse(&dlg, WM_MOUSEMOVE, CPoint(100, 100)); // the owner takes no input
            dlg.InvalidateRect(NULL, FALSE);                     // but keeps painting
        })
        .Then([&] {
            EXPECT_EQ(dlg.m_nMouseMoves, nMovesBefore);
            EXPECT_EQ(dlg.m_nPaints, nPaintsBefore + 1);
            AdvanceAndPump(200); // the owner's timer asks for the focus: it stays in the About box
            EXPECT_TRUE(IsAboutBoxActive());
            AfxQueueKey(&dlg, VK_ESCAPE); // reaches the About box, whatever window it names
        })
        .Then([&] {
            bAboutGone = !IsAboutBoxActive();
            AfxQueueKey(&dlg, VK_ESCAPE);
        });
    EXPECT_EQ(script.RunDialog(dlg), IDCANCEL);
    EXPECT_TRUE(bAboutSeen);
    EXPECT_TRUE(bAboutGone);
}

TEST_F(MainDialogTest, QuitRequestEndsTheAboutBoxAndTheMainDialog)
{
    CQuindleDlg dlg;
    CModalScript script;
    script.Then([&] { dlg.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX, 0); }).Then([&] {
        EXPECT_TRUE(IsAboutBoxActive());
        AfxQueueQuit();
    });
    EXPECT_EQ(script.RunDialog(dlg), IDCANCEL);
}

TEST_F(MainDialogTest, SystemCommandsOutsideTheAboutRangeGetDefaultProcessing)
{
    CQuindleDlg dlg;
    bool bAboutOpened = false;
    CModalScript script;
    script.Then([&] { dlg.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX + 16, 0); })
        .Then([&] {
            bAboutOpened = IsAboutBoxActive();
            dlg.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX + 15, 0); // still the About item
        })
        .Then([&] {
            EXPECT_TRUE(IsAboutBoxActive());
            AfxQueueKey(nullptr, VK_RETURN); // OK
        })
        .Then([&] { AfxQueueKey(&dlg, VK_ESCAPE); });
    script.RunDialog(dlg);
    EXPECT_FALSE(bAboutOpened);
}

TEST_F(MainDialogTest, InitInstanceRunsTheDialogAndReturnsFalse)
{
    CQuindleApp app;
    ASSERT_EQ(AfxGetApp(), &app);
    CWnd* pMainDuringRun = nullptr;
    BOOL bResult = TRUE;
    CModalScript script;
    script.Then([&] {
        pMainDuringRun = AfxGetMainWnd();
        AfxQueueKey(pMainDuringRun, VK_ESCAPE);
    });
    script.Run([&] { bResult = app.InitInstance(); });
    EXPECT_FALSE(bResult);
    EXPECT_NE(pMainDuringRun, nullptr);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
}

} // namespace
