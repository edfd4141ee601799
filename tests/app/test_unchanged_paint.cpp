// A paint that would change nothing on the screen draws and presents
// nothing: every input that changes the picture makes one picture, a repeat
// of the same state makes none, and whatever loses what the window shows (an
// expose, an erase, the popup menu closing) draws it all again.
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/QuindleDlg.h"

namespace {

class UnchangedPaintTest : public CVirtualTimeTest {
protected:
    // A step that queues input and expects nPictures from it, counted when
    // the next step runs (the loop has handled the input by then).
    std::function<void()> Expect(UINT nPictures, const char* pszWhat, std::function<void()> input)
    {
        return [this, nPictures, pszWhat, input] {
            m_case = CASE{pszWhat, nPictures, AfxGetPictureCount(&m_dlg)};
            m_bPending = true;
            input();
        };
    }
    void Run(const std::vector<std::function<void()>>& steps)
    {
        CModalScript script;
        for (const auto& step : steps) {
            script.Then([this, step] {
                Check();
                step();
            });
        }
        script.Then([this] {
            Check();
            AfxQueueKey(&m_dlg, VK_ESCAPE);
        });
        script.RunDialog(m_dlg);
    }
    void Mouse(CPoint pt) { AfxQueueMouse(&m_dlg, WM_MOUSEMOVE, pt); }
    void Wheel() { AfxQueueWheel(&m_dlg, 1.0f, Centre(m_dlg.m_view.m_rcArea)); }

    CQuindleDlg m_dlg;

private:
    void Check()
    {
        if (m_bPending) {
            EXPECT_EQ(AfxGetPictureCount(&m_dlg) - m_case.nBefore, m_case.nExpected) << m_case.pszWhat;
        }
        m_bPending = false;
    }

    struct CASE {
        const char* pszWhat;
        UINT nExpected;
        UINT nBefore;
    };
    CASE m_case{};
    bool m_bPending = false;
};

TEST_F(UnchangedPaintTest, OnTheMenuOnlyWhatChangesThePictureIsPainted)
{
    const CRect& rcStart = m_dlg.m_view.m_rcStart;
    const CPoint ptOutside(5, 5);
    Run({
        Expect(0, "a move that changes no hover flag", [&] { Mouse(ptOutside); }),
        Expect(0, "the same move again", [&] { Mouse(CPoint(ptOutside.x + 1, ptOutside.y)); }),
        Expect(1, "onto Start: its hover flag", [&] { Mouse(Centre(rcStart)); }),
        Expect(0, "within Start", [&] { Mouse(CPoint(Centre(rcStart).x + 3, Centre(rcStart).y + 2)); }),
        Expect(1, "off Start again", [&] { Mouse(ptOutside); }),
        Expect(0, "a repaint asked for with nothing changed", [&] { m_dlg.InvalidateRect(NULL, FALSE); }),
        Expect(0, "a wheel notch: the menu does not show the player", [&] { Wheel(); }),
        Expect(1, "an expose, the state unchanged", [&] { AfxQueueExpose(&m_dlg); }),
        Expect(1, "a repaint that erases", [&] { m_dlg.InvalidateRect(NULL, TRUE); }),
        Expect(1, "a new title text", [&] {
            m_dlg.m_view.SetText("Quindle!");
            m_dlg.InvalidateRect(NULL, FALSE);
        }),
        Expect(1, "a best score shown", [&] {
            m_dlg.m_view.m_nBest = 7;
            m_dlg.InvalidateRect(NULL, FALSE);
        }),
        Expect(0, "the same best score again", [&] { m_dlg.InvalidateRect(NULL, FALSE); }),
    });
}

TEST_F(UnchangedPaintTest, ThePopupMenuClosingAndAPressedButtonRepaint)
{
    const CRect& rcExit = m_dlg.m_view.m_rcExit;
    UINT nWithPopup = 0;
    Run({
        // Alt+Space: the popup's own loop runs the next step.
        Expect(1, "the popup menu opened over the window", [&] { AfxQueueKey(&m_dlg, VK_SPACE, TRUE); }),
        [&] {
            nWithPopup = AfxGetPictureCount(&m_dlg);
            AfxQueueKey(&m_dlg, VK_ESCAPE);
        },
        [&] { EXPECT_GT(AfxGetPictureCount(&m_dlg), nWithPopup) << "the popup's closing repaints what it covered"; },
        Expect(1, "onto Exit", [&] { Mouse(Centre(rcExit)); }),
        Expect(0, "the same place again", [&] { Mouse(Centre(rcExit)); }),
    });
}

TEST_F(UnchangedPaintTest, InAGameThePlayerAndTheStatusTextArePartOfThePicture)
{
    const CRect& rcStart = m_dlg.m_view.m_rcStart;
    Run({
        [&] {
            AfxQueueMouse(&m_dlg, WM_LBUTTONDOWN, Centre(rcStart));
            AfxQueueMouse(&m_dlg, WM_LBUTTONUP, Centre(rcStart));
        },
        // The run shows "Ready" and sleeps on the virtual clock: the picture holds still.
        [&] {
            ASSERT_TRUE(m_clock.WaitForPendingSleeper());
            m_dlg.InvalidateRect(NULL, FALSE);
        },
        Expect(0, "a repaint of the same game screen", [&] { m_dlg.InvalidateRect(NULL, FALSE); }),
        Expect(1, "a wheel notch moves the player", [&] { Wheel(); }),
        Expect(0, "off the hidden Start button: no hover flag the game screen shows",
               [&] { Mouse(Centre(m_dlg.m_view.m_rcArea)); }),
        Expect(1, "onto Stop: its hover flag", [&] { Mouse(Centre(m_dlg.m_view.m_rcStop)); }),
    });
    EXPECT_EQ(m_dlg.m_thread.GetStatusText(), "Ready");
}

} // namespace
