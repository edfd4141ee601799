// The window layer on a display system's native windows (the seam our own
// Wayland toplevels sit behind), with a display system of the test's own:
// what the windows are asked for (a fixed size, the About box's parent), and
// painting paced by the compositor's frame callbacks: a window that may not
// present paints nothing and sleeps, and paints at once when it may again;
// a scale change resizes it and repaints it though nothing else changed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "AppTestSupport.h"
#include "app/QuindleDlg.h"
#include "platform/ui/display/DisplaySystem.h"
#include "platform/ui/display/FrameBuffer.h"
#include "platform/ui/display/NativeWindow.h"

namespace {

class CMemoryFrameBuffer : public CFrameBuffer {
public:
    explicit CMemoryFrameBuffer(const int& cx, const int& cy) : m_cx(cx), m_cy(cy) {}
    ~CMemoryFrameBuffer() override { SDL_FreeSurface(m_pSurface); }
    SDL_Surface* GetSurface() override
    {
        if (!m_pSurface || m_pSurface->w != m_cx || m_pSurface->h != m_cy) {
            SDL_FreeSurface(m_pSurface);
            m_pSurface = SDL_CreateRGBSurfaceWithFormat(0, m_cx, m_cy, 32, SDL_PIXELFORMAT_RGB888);
        }
        return m_pSurface;
    }
    void Present(const SDL_Rect& rc) override
    {
        ++m_nPresents;
        m_rcLast = rc;
    }
    SDL_Rect m_rcLast{};
    int m_nPresents = 0;

private:
    const int& m_cx;
    const int& m_cy;
    SDL_Surface* m_pSurface = nullptr;
};

// A window that records what it is asked; CanPresent is the test's to set.
class CFakeWindow : public CNativeWindow {
public:
    CFakeWindow(Uint32 nID, int cx, int cy) : m_nID(nID), m_cx(cx), m_cy(cy), m_frameBuffer(m_cx, m_cy) {}
    Uint32 GetID() const override { return m_nID; }
    void Show() override { m_bShown = true; }
    void GetSize(int* pcx, int* pcy) const override { *pcx = m_cx, *pcy = m_cy; }
    void GetSizeInPixels(int* pcx, int* pcy) const override { GetSize(pcx, pcy); }
    void SetSize(int cx, int cy) override { m_cx = cx, m_cy = cy; }
    void SetFixedSize(int cx, int cy) override { m_fixed = CPoint(cx, cy); }
    void GetPosition(int* px, int* py) const override { *px = *py = 0; }
    void SetPosition(int, int) override {}
    BOOL GetBordersSize(int*, int*, int*, int*) const override { return FALSE; }
    void SetIcon(SDL_Surface*) override {}
    void SetParent(CNativeWindow* pParent) override { m_pParent = pParent; }
    BOOL IsMinimized() const override { return FALSE; }
    void SetFullscreen(BOOL bFullscreen) override { m_bFullscreen = bFullscreen; }
    CRect GetWorkArea() const override { return m_rcWork; }
    void KeepOnScreen(int, int, BOOL bShown) override { m_nKeptShown += bShown; }
    BOOL HasKeyboardFocus() const override { return FALSE; }
    void TakeKeyboardFocus() override {}
    UINT GetRefreshRate() const override { return 60; }
    CFrameBuffer* GetFrameBuffer() override { return &m_frameBuffer; }
    BOOL CanPresent() const override { return m_bCanPresent; }

    Uint32 m_nID;
    int m_cx;
    int m_cy;
    CMemoryFrameBuffer m_frameBuffer;
    bool m_bShown = false;
    bool m_bCanPresent = true;
    CPoint m_fixed; // the fixed size asked for last
    CNativeWindow* m_pParent = nullptr;
    bool m_bFullscreen = false;
    CRect m_rcWork{0, 0, 1280, 800};
    int m_nKeptShown = 0; // how often it was kept on its screen while shown
};

class CFakeDisplay : public CDisplaySystem {
public:
    const char* GetDriverName() const override { return "fake"; }
    void Attach(SDL_Window*) override {}
    std::unique_ptr<CNativeWindow> CreateWindow(const char*, int cx, int cy, BOOL) override
    {
        auto pWindow = std::make_unique<CFakeWindow>(Uint32(1000 + m_windows.size()), cx, cy);
        m_windows.push_back(pWindow.get());
        return pWindow;
    }
    BOOL PrepareWait(int* pFd) override
    {
        *pFd = -1;
        return TRUE;
    }
    void FinishWait(short) override {}
    std::vector<CFakeWindow*> m_windows; // in the order made; each lives until its dialog closes
};

class NativeWindowTest : public CVirtualTimeTest {
protected:
    void SetUp() override
    {
        CVirtualTimeTest::SetUp();
        m_pBefore = &AfxGetDisplaySystem();
        AfxSetDisplaySystem(&m_display);
    }
    void TearDown() override
    {
        AfxSetDisplaySystem(m_pBefore);
        CVirtualTimeTest::TearDown();
    }
    CFakeWindow& Main() { return *m_display.m_windows.front(); }

    CFakeDisplay m_display;
    CDisplaySystem* m_pBefore = nullptr;
};

TEST_F(NativeWindowTest, WindowsAreFixedInSizeAndTheAboutBoxBelongsToTheMainWindow)
{
    CQuindleDlg dlg;
    CModalScript script;
    script
        .Then([&] {
            EXPECT_TRUE(Main().m_bShown);
            EXPECT_EQ(Main().m_fixed, CPoint(558, 251)) << "minimum = maximum = the client";
            EXPECT_EQ(Main().m_pParent, nullptr);
            dlg.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        })
        .Then([&] {
            ASSERT_EQ(m_display.m_windows.size(), 2u);
            const CFakeWindow* pAbout = m_display.m_windows[1];
            EXPECT_TRUE(pAbout->m_bShown);
            EXPECT_EQ(pAbout->m_pParent, &Main());
            EXPECT_EQ(pAbout->m_fixed, CPoint(411, 83));
            AfxQueueKey(&dlg, VK_ESCAPE);
        })
        .Then([&] { AfxQueueKey(&dlg, VK_ESCAPE); });
    script.RunDialog(dlg);
}

TEST_F(NativeWindowTest, AWindowThatMayNotPresentPaintsNothingAndPaintsAtOnceWhenItMay)
{
    CQuindleDlg dlg;
    int nPresents = 0;
    ULONGLONG hiddenAt = 0;
    CModalScript script;
    script
        .Then([&] {
            // No frame callback comes (another workspace): the game goes on asking for repaints.
            Main().m_bCanPresent = false;
            nPresents = Main().m_frameBuffer.m_nPresents;
            dlg.m_view.SetText("Quindle!");
            dlg.InvalidateRect(NULL, FALSE);
        })
        .Then([&] {
            EXPECT_EQ(AfxGetNextPaintDue(), ~ULONGLONG(0)) << "no paint is due: the loop sleeps";
            m_clock.Advance(500);
            dlg.InvalidateRect(NULL, TRUE);
        })
        .Then([&] {
            EXPECT_EQ(Main().m_frameBuffer.m_nPresents, nPresents) << "nothing presented while hidden";
            hiddenAt = m_clock.GetTickCount();
            Main().m_bCanPresent = true; // the compositor shows it again
        })
        .Then([&] {
            EXPECT_EQ(Main().m_frameBuffer.m_nPresents, nPresents + 1) << "one paint of the current picture";
            EXPECT_EQ(m_clock.GetTickCount(), hiddenAt) << "at once";
            AfxQueueKey(&dlg, VK_ESCAPE);
        });
    script.RunDialog(dlg);
}

TEST_F(NativeWindowTest, AScaleChangeResizesTheWindowAndRepaintsAllOfItThoughNothingElseChanged)
{
    CQuindleDlg dlg;
    UINT nPictures = 0;
    CModalScript script;
    script
        .Then([&] {
            setenv("QUINDLE_SCALE", "2", 1);
            nPictures = AfxGetPictureCount(&dlg);
            AfxQueueDisplayChange(&dlg);
        })
        .Then([&] {
            EXPECT_EQ(Main().m_cx, 1116);
            EXPECT_EQ(Main().m_cy, 502);
            EXPECT_EQ(Main().m_fixed, CPoint(1116, 502));
            EXPECT_EQ(AfxGetPictureCount(&dlg), nPictures + 1);
            const SDL_Rect& rc = Main().m_frameBuffer.m_rcLast;
            EXPECT_EQ(CRect(rc.x, rc.y, rc.x + rc.w, rc.y + rc.h), CRect(0, 0, 1116, 502)) << "all of it presented";
            dlg.InvalidateRect(NULL, FALSE);
        })
        .Then([&] {
            EXPECT_EQ(AfxGetPictureCount(&dlg), nPictures + 1) << "at 2x too, a repaint of the same state costs nothing";
            unsetenv("QUINDLE_SCALE");
            AfxQueueDisplayChange(&dlg);
        })
        .Then([&] {
            EXPECT_EQ(Main().m_cx, 558);
            EXPECT_EQ(AfxGetPictureCount(&dlg), nPictures + 2);
            AfxQueueKey(&dlg, VK_ESCAPE);
        });
    script.RunDialog(dlg);
    unsetenv("QUINDLE_SCALE");
}

// Our Wayland toplevels: the compositor gives the fullscreen size, and a
// window that grows is shown anew for it to place, never moved by us.
TEST_F(NativeWindowTest, FullscreenTakesTheSizeTheSystemGivesAndAGrownWindowIsKeptOnItsScreen)
{
    CQuindleDlg dlg;
    CModalScript script;
    script
        .Then([&] { AfxQueueKey(&dlg, VK_F11); })
        .Then([&] {
            EXPECT_TRUE(Main().m_bFullscreen);
            Main().m_cx = 1280; // the configure that follows
            Main().m_cy = 800;
            AfxQueueDisplayChange(&dlg);
        })
        .Then([&] {
            const SDL_Rect& rc = Main().m_frameBuffer.m_rcLast;
            EXPECT_EQ(CRect(rc.x, rc.y, rc.x + rc.w, rc.y + rc.h), CRect(0, 0, 1280, 800)) << "the black shows too";
            EXPECT_EQ(Main().m_fixed, CPoint(558, 251)) << "fullscreen leaves the fixed size alone";
            AfxQueueKey(&dlg, VK_F11);
        })
        .Then([&] {
            EXPECT_FALSE(Main().m_bFullscreen);
            Main().m_cx = 558;
            Main().m_cy = 251;
            AfxQueueDisplayChange(&dlg);
        })
        .Then([&] {
            EXPECT_EQ(Main().m_nKeptShown, 0);
            AfxQueueCtrlKey(&dlg, VK_OEM_PLUS);
        })
        .Then([&] {
            EXPECT_EQ(CPoint(Main().m_cx, Main().m_cy), CPoint(1116, 502));
            EXPECT_EQ(Main().m_fixed, CPoint(1116, 502));
            EXPECT_EQ(Main().m_nKeptShown, 1);
            AfxQueueCtrlKey(&dlg, VK_OEM_PLUS);
        })
        .Then([&] {
            EXPECT_EQ(Main().m_cx, 1116) << "3x would not fit the 1280 x 800 work area";
            AfxQueueCtrlKey(&dlg, '0'); // the kept zoom back to automatic, for the tests after this one
        })
        .Then([&] {
            EXPECT_EQ(Main().m_cx, 558);
            AfxQueueKey(&dlg, VK_ESCAPE);
        });
    script.RunDialog(dlg);
}

} // namespace
