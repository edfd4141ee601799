// The program's start: the fonts it opens while the display connects are all
// the first picture draws with, that picture opens the start-up gate, and
// the display's environment is set once, before any thread could read it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "InputTestSupport.h"
#include "app/QuindleApp.h"
#include "platform/core/Resources.h"
#include "platform/core/StartupGate.h"
#include "platform/gdi/FontCache.h"
#include "platform/ui/dialog/DialogUnits.h"

namespace {

// The child, a fresh process with no font open: the start-up fonts, then
// the main dialog until its first picture is up.
[[noreturn]] void FirstPictureAfterTheStartupFonts()
{
    std::string fault;
    std::vector<POINTFONT> fonts;
    {
        CQuindleApp app;
        app.AddStartupFonts(&fonts);
    }
    AfxAddDialogFonts(&fonts);
    AfxPreloadFonts(fonts);
    const int nOpen = AfxGetOpenFontCount();
    if (AfxGetStartupGate().IsOpen())
        fault = "the gate was open before any picture";
    CVirtualClock clock;
    CClockScope scope(&clock);
    CModalScript::PaintClock() = &clock;
    CObservedDlg dlg;
    CModalScript script;
    script.Then([&] {
        if (fault.empty() && dlg.m_nPaints < 1)
            fault = "no picture";
        else if (fault.empty() && AfxGetOpenFontCount() != nOpen)
            fault = std::to_string(AfxGetOpenFontCount() - nOpen) + " font(s) the start-up list left out";
        else if (fault.empty() && !AfxGetStartupGate().IsOpen())
            fault = "the first picture left the gate closed";
        AfxQueueKey(&dlg, VK_ESCAPE);
    });
    script.RunDialog(dlg);
    CModalScript::PaintClock() = nullptr;
    if (!fault.empty())
        std::fprintf(stderr, "FAULT: %s\n", fault.c_str());
    std::_Exit(fault.empty() ? 0 : 1);
}

TEST(StartUp, TheFirstPictureNeedsNoFontBeyondTheStartupOnesAndOpensTheGate)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(FirstPictureAfterTheStartupFonts(), ::testing::ExitedWithCode(0), "^$");
}

// Restores a variable of the test program's environment.
class CSavedVariable {
public:
    explicit CSavedVariable(const char* pszName) : m_strName(pszName)
    {
        const char* pszValue = std::getenv(pszName);
        m_bSet = pszValue != nullptr;
        m_strValue = pszValue ? pszValue : "";
    }
    ~CSavedVariable()
    {
        if (m_bSet)
            setenv(m_strName.c_str(), m_strValue.c_str(), 1);
        else
            unsetenv(m_strName.c_str());
    }

private:
    std::string m_strName;
    std::string m_strValue;
    bool m_bSet = false;
};

TEST(StartUp, TheDisplayEnvironmentHasNoComposeTableKeepsTheUsersClassAndIsSetOnce)
{
    CSavedVariable compose("XCOMPOSEFILE");
    CSavedVariable wmClass("SDL_VIDEO_X11_WMCLASS");
    setenv("XCOMPOSEFILE", "/home/someone/.XCompose", 1);
    unsetenv("SDL_VIDEO_X11_WMCLASS");
    AfxPrepareDisplayEnvironment();
    EXPECT_STREQ(std::getenv("XCOMPOSEFILE"), "/dev/null");
    EXPECT_STREQ(std::getenv("SDL_VIDEO_X11_WMCLASS"), AfxProgramResources().pszAppId);

    setenv("SDL_VIDEO_X11_WMCLASS", "their-class", 1);
    const char* pszCompose = std::getenv("XCOMPOSEFILE");
    const char* pszClass = std::getenv("SDL_VIDEO_X11_WMCLASS");
    // AfxWinInit prepares again while the fonts' thread may read the environment: nothing changes.
    AfxPrepareDisplayEnvironment();
    EXPECT_EQ(std::getenv("XCOMPOSEFILE"), pszCompose);
    EXPECT_EQ(std::getenv("SDL_VIDEO_X11_WMCLASS"), pszClass);
    EXPECT_STREQ(pszClass, "their-class");
}

} // namespace
