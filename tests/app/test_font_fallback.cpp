// Machines without the fonts the program is made for. fontconfig reads its
// configuration once per process, so each case runs in a fresh child process
// (a death test) under a FONTCONFIG_FILE written here: the client stays
// 558 x 251, stderr gets at most one line, and a game starts, runs and stops
// before the dialog closes.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "AppTestSupport.h"
#include "InputTestSupport.h"
#include "platform/gdi/FontCache.h"
#include "platform/ui/dialog/DialogUnits.h"
#include "platform/ui/window/DlgTemplate.h"
#include "res/resource.h"

namespace {

constexpr const char* kSystemRules = "<include ignore_missing=\"yes\">/etc/fonts/conf.d</include>";
constexpr const char* kDejaVu = "<dir>/usr/share/fonts/truetype/dejavu</dir>";
constexpr const char* kIpaGothic = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

// Starts a game by its button, lets it run into the game, stops it, closes the dialog.
std::string PlayOneGame()
{
    CVirtualClock clock;
    CClockScope scope(&clock);
    CObservedDlg dlg;
    std::string fault;
    CModalScript script;
    script.Then([&] { AfxQueueMouse(&dlg, WM_LBUTTONUP, Centre(dlg.m_view.m_rcStart)); })
        .Then([&] {
            for (int i = 0; i < 5 && clock.WaitForPendingSleeper(); ++i)
                clock.AdvanceToNextWake();
        })
        .Then([&] {
            if (dlg.m_view.m_bInGame != 1 || dlg.m_nPaints < 2)
                fault = "no game ran";
            AfxQueueMouse(&dlg, WM_LBUTTONUP, Centre(dlg.m_view.m_rcStop));
        })
        .Then([&] { AfxQueueKey(&dlg, VK_ESCAPE); });
    if (script.RunDialog(dlg) != IDCANCEL)
        fault = "the dialog did not close";
    return fault;
}

// The child: both Gothic faces become family ("" for no font), then a game.
[[noreturn]] void Child(const char* pszFamily)
{
    const DLGTEMPLATEDATA* pMain = AfxFindDialogTemplate(IDD_MAIN);
    const CRect rc = AfxMapDialogBox(AfxGetDialogBaseUnits(pMain->pszFace, pMain->wPointSize), 0, 0, pMain->cx, pMain->cy);
    std::string fault = rc == CRect(0, 0, 558, 251) ? "" : "client " + std::to_string(rc.Width());
    for (const char* pszFace : {"ＭＳ ゴシック", "ＭＳ Ｐゴシック"}) {
        const CString family = AfxGetFontFamily(AfxGetFont(pszFace, 27));
        if (fault.empty() && family != pszFamily)
            fault = std::string(pszFace) + " became \"" + family.Str() + "\"";
    }
    if (fault.empty())
        fault = PlayOneGame();
    if (!fault.empty())
        std::fprintf(stderr, "FAULT: %s\n", fault.c_str());
    std::_Exit(fault.empty() ? 0 : 1);
}

class FontFallback : public ::testing::Test {
protected:
    // Writes a configuration of rules and a font folder holding pszFont (if any)
    // for the child processes; this process has its fonts already.
    void UseFonts(const std::string& rules, const char* pszFont)
    {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        // The child runs this test again from the start: the same folder serves both.
        const std::string dir = ::testing::TempDir() + "quindle-fonts-"
                              + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        mkdir(dir.c_str(), 0700);
        mkdir((dir + "/fonts").c_str(), 0700);
        unlink((dir + "/fonts/font.ttf").c_str());
        if (pszFont) {
            ASSERT_EQ(symlink(pszFont, (dir + "/fonts/font.ttf").c_str()), 0);
        }
        std::ofstream(dir + "/fonts.conf") << "<fontconfig>" << rules << "<dir>" << dir << "/fonts</dir><cachedir>"
                                           << dir << "/cache</cachedir></fontconfig>\n";
        setenv("FONTCONFIG_FILE", (dir + "/fonts.conf").c_str(), 1);
    }
    void TearDown() override { unsetenv("FONTCONFIG_FILE"); }
};

TEST_F(FontFallback, OnlyDejaVuGivesDejaVuSansAndOneLineNamingThePackage)
{
    UseFonts(std::string(kDejaVu) + kSystemRules, nullptr);
    EXPECT_EXIT(Child("DejaVu Sans"), ::testing::ExitedWithCode(0),
                "^[^\n]*: no font with Japanese glyphs is installed; [^\n]*fonts-ipafont-gothic[^\n]*\n$");
}

TEST_F(FontFallback, AnotherJapaneseFaceStandsInWithoutAWord)
{
    UseFonts(std::string(kDejaVu) + kSystemRules, kIpaGothic);
    EXPECT_EXIT(Child("IPAGothic"), ::testing::ExitedWithCode(0), "^$");
}

TEST_F(FontFallback, NoFontAtAllDrawsNoTextAndSaysSoOnce)
{
    UseFonts("", nullptr);
    EXPECT_EXIT(Child(""), ::testing::ExitedWithCode(0),
                "^[^\n]*: no fonts are installed; [^\n]*fonts-ipafont-gothic[^\n]*\n$");
}

} // namespace
