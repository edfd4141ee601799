// Our Wayland client when things go wrong: a keymap that cannot be read,
// memory that cannot be had, a compositor that will not draw the frame,
// refuses a request or goes away in the middle of a frame.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/ui/display/DisplaySystem.h"
#include "platform/ui/display/FrameBuffer.h"
#include "platform/ui/display/NativeWindow.h"
#include "tests/wayland/ClientHarness.h"
#include "xdg-decoration-unstable-v1-client-protocol.h"

// libdecor 0.1 leaves one object of its own behind at its end (scripts/lsan.supp
// names it), which a suppression can match only on a stack unwound in full.
extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}

namespace {

TEST(WaylandClientTest, AKeymapThatCannotBeReadCostsOneLineAndTheKeysStillWork)
{
    for (CFakeCompositor::KEYMAP keymap : {CFakeCompositor::kKeymapShort, CFakeCompositor::kKeymapGarbage}) {
        CFakeCompositor fake(CFakeCompositor::OPTIONS{5, true, 0, keymap});
        fake.AddSeat();
        testing::internal::CaptureStderr();
        CClient client;
        client.Map(fake);
        const std::string strErr = testing::internal::GetCapturedStderr();
        EXPECT_NE(strErr.find("keymap cannot be read; keys keep the default one\n"), std::string::npos) << strErr;
        fake.KeyboardEnter();
        fake.Key(KEY_Q, true);
        client.Sync();
        EXPECT_EQ(client.LastVirtualKey(), UINT('Q'));
    }
}

int g_nFailures = 0; // how many of the next memory calls fail

int FailingCreate(const char* pszName, unsigned nFlags)
{
    if (g_nFailures > 0 && g_nFailures--) {
        errno = EMFILE;
        return -1;
    }
    return memfd_create(pszName, nFlags);
}

void* FailingMap(void* p, size_t n, int nProt, int nFlags, int fd, off_t nOffset)
{
    if (g_nFailures > 0 && g_nFailures--) {
        errno = ENOMEM;
        return MAP_FAILED;
    }
    return mmap(p, n, nProt, nFlags, fd, nOffset);
}

TEST(WaylandClientTest, ABufferThatCannotBeMadeCostsOneLineAndAFrameThenIsMadeAgain)
{
    CFakeCompositor fake;
    CClient client;
    client.Map(fake);
    for (const SHMMEMORYCALLS& calls : {SHMMEMORYCALLS{FailingCreate, ftruncate, mmap},
                                        SHMMEMORYCALLS{memfd_create, ftruncate, FailingMap}}) {
        AfxSetShmMemoryCalls(&calls);
        const int nBefore = fake.See().nBufferCommits;
        g_nFailures = 2;
        testing::internal::CaptureStderr();
        client.Paint(7);
        client.Paint(8);
        const std::string strErr = testing::internal::GetCapturedStderr();
        EXPECT_EQ(fake.See().nBufferCommits, nBefore) << "two frames skipped";
        EXPECT_EQ(std::count(strErr.begin(), strErr.end(), '\n'), 1) << strErr;
        EXPECT_NE(strErr.find("no memory for the window's picture"), std::string::npos) << strErr;
        client.Paint(9);
        EXPECT_EQ(fake.See().nBufferCommits, nBefore + 1) << "the slot is made again";
        // The next size makes new buffers: the failures reach a slot that had memory.
        fake.SendFrames();
        client.pWindow->SetSize(kW + 10, kH);
        fake.Release(0);
        client.Sync();
    }
    AfxSetShmMemoryCalls(nullptr);
}

TEST(WaylandClientTest, ACompositorThatWillNotDrawTheFrameGetsATopLevelWithOurs)
{
    // No plugin: libdecor's own fallback, which draws nothing but is still a toplevel.
    CFakeCompositor fake(CFakeCompositor::OPTIONS{5, true, ZXDG_TOPLEVEL_DECORATION_V1_MODE_CLIENT_SIDE,
                                                  CFakeCompositor::kKeymapGood});
    testing::internal::CaptureStderr();
    CClient client;
    client.pWindow->Show();
    for (int i = 0; i < 4; ++i)
        client.Pump(); // libdecor's start-up and its dispatch
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(client.pWindow->HasClientFrame());
    CFakeCompositor::SEEN seen = fake.See();
    EXPECT_EQ(seen.nToplevels, 2) << "ours went, libdecor's came";
    EXPECT_LE(seen.nDecorations, 1) << "ours went with it (libdecor may ask for its own)";
    fake.Configure(0, 0, {XDG_TOPLEVEL_STATE_ACTIVATED});
    client.Pump();
    client.Paint(5);
    EXPECT_EQ(fake.See().nBufferCommits, 1);
}

// Decorations drawn by the compositor: libdecor says nothing on stderr.
const CFakeCompositor::OPTIONS kServerFrames{5, true, 0, CFakeCompositor::kKeymapGood};

// The program's own wait on the display system, as its message loop runs it, until it ends.
[[noreturn]] void RunUntilTheEnd(CFakeCompositor& fake, int nRefuse)
{
    alarm(20); // a hang fails the death test rather than the run
    CDisplaySystem* pSystem = AfxMakeWaylandDisplaySystem();
    if (!pSystem->Start("wayland"))
        std::_Exit(3);
    std::unique_ptr<CNativeWindow> pWindow = pSystem->CreateWindow("Quindle", kW, kH, TRUE);
    pWindow->Show();
    for (int n = 0;; ++n) {
        int fd = -1;
        if (pSystem->PrepareWait(&fd)) {
            pollfd p = {fd, pSystem->GetWaitEvents(), 0};
            poll(&p, fd >= 0 ? 1 : 0, 50);
            pSystem->FinishWait(p.revents);
        }
        if (n == 2)
            fake.Configure(0, 0, {});
        if (n == 4) {
            // A frame on its way: committed, its callback outstanding, the next one waiting.
            CFrameBuffer* pFrame = pWindow->GetFrameBuffer();
            pFrame->Present(SDL_Rect{0, 0, pFrame->GetSurface()->w, pFrame->GetSurface()->h});
            pFrame->Present(SDL_Rect{0, 0, 10, 10});
            if (nRefuse)
                fake.RefuseCompositor(uint32_t(nRefuse));
            else
                fake.Close();
        }
    }
}

TEST(WaylandClientDeathTest, AProtocolErrorEndsWithOneLineNamingIt)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            CFakeCompositor fake(kServerFrames);
            RunUntilTheEnd(fake, 3);
        },
        testing::ExitedWithCode(1), "^[a-z_]+: the Wayland compositor refused us: wl_compositor@[0-9]+ error 3\n$");
}

TEST(WaylandClientDeathTest, TheConnectionClosedInTheMiddleOfAFrameEndsCleanly)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            CFakeCompositor fake(kServerFrames);
            RunUntilTheEnd(fake, 0);
        },
        testing::ExitedWithCode(1), "^[a-z_]+: lost the connection to the display\n$");
}

} // namespace
