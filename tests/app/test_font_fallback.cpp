// Machines without the fonts the program is made for: with only DejaVu, and
// with no font at all. fontconfig reads its configuration once per process,
// so each case runs in a child process (a death test run afresh) under a
// FONTCONFIG_FILE written here. The window keeps its 558 x 251 client, one
// line on stderr says what is missing, and a game starts, runs and is stopped
// before the dialog closes cleanly.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "AppTestSupport.h"
#include "InputTestSupport.h"
#include "platform/gdi/FontCache.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/DlgTemplate.h"
#include "res/resource.h"

namespace {

constexpr const char* kDejaVuDir = "/usr/share/fonts/truetype/dejavu";
constexpr const char* kIpaGothicFile = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

// A temporary home with a fontconfig file of its own and a font folder that
// holds the fonts linked into it; all go with it.
class CFontSandbox {
public:
    explicit CFontSandbox(const std::string& fontDirs)
    {
        char dir[] = "/tmp/quindle-fonts-XXXXXX";
        m_dir = mkdtemp(dir) ? dir : "";
        m_file = m_dir + "/fonts.conf";
        mkdir((m_dir + "/fonts").c_str(), 0700);
        std::ofstream(m_file) << "<?xml version=\"1.0\"?>\n<fontconfig>\n" << fontDirs << "  <dir>" << m_dir
                              << "/fonts</dir>\n  <cachedir>" << m_dir << "/cache</cachedir>\n</fontconfig>\n";
    }
    bool LinkFont(const std::string& path) const
    {
        const std::string link = m_dir + "/fonts/" + path.substr(path.rfind('/') + 1);
        return symlink(path.c_str(), link.c_str()) == 0;
    }
    ~CFontSandbox()
    {
        const std::string command = "rm -rf '" + m_dir + "'";
        if (!m_dir.empty() && std::system(command.c_str()) != 0)
            std::fprintf(stderr, "could not remove %s\n", m_dir.c_str());
    }
    // The variables the child is started with; the parent's fonts are set up already.
    void Enter() const
    {
        setenv("FONTCONFIG_FILE", m_file.c_str(), 1);
        setenv("HOME", m_dir.c_str(), 1);
        setenv("XDG_CACHE_HOME", m_dir.c_str(), 1);
        setenv("XDG_DATA_HOME", m_dir.c_str(), 1);
        setenv("XDG_CONFIG_HOME", m_dir.c_str(), 1);
    }

private:
    std::string m_dir;
    std::string m_file;
};

// Ends the child: status 0 when nothing went wrong, else the first fault on stderr.
[[noreturn]] void Finish(const std::string& fault)
{
    if (!fault.empty())
        std::fprintf(stderr, "FAULT: %s\n", fault.c_str());
    std::fflush(stderr);
    std::_Exit(fault.empty() ? 0 : 1);
}

std::string CheckClientSize()
{
    const DLGTEMPLATEDATA* pMain = AfxFindDialogTemplate(IDD_MAIN);
    const DLGBASEUNITS units = AfxGetDialogBaseUnits(pMain->pszFace, pMain->wPointSize);
    const CRect rc = AfxMapDialogBox(units, 0, 0, pMain->cx, pMain->cy);
    if (rc.Width() != 558 || rc.Height() != 251)
        return "client " + std::to_string(rc.Width()) + " x " + std::to_string(rc.Height());
    return "";
}

CPoint Centre(const CRect& rc)
{
    return CPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

// Opens the main dialog, starts a game by its Start button, lets it run from
// Ready into the game, stops it and closes the dialog.
std::string PlayOneGame()
{
    CVirtualClock clock;
    CClockScope scope(&clock);
    std::string fault;
    {
        CObservedDlg dlg;
        int nPaints = 0;
        CModalScript script;
        script.Then([&] { AfxQueueMouse(&dlg, WM_LBUTTONUP, Centre(dlg.m_view.m_rcStart)); })
            .Then([&] {
                for (int i = 0; i < 5 && clock.WaitForPendingSleeper(); ++i)
                    clock.AdvanceToNextWake();
                nPaints = dlg.m_nPaints;
            })
            .Then([&] {
                if (dlg.m_view.m_bInGame != 1 || dlg.m_nPaints <= nPaints)
                    fault = "no game ran";
                AfxQueueMouse(&dlg, WM_LBUTTONUP, Centre(dlg.m_view.m_rcStop));
            })
            .Then([&] { AfxQueueKey(&dlg, VK_ESCAPE); });
        if (script.RunDialog(dlg) != IDCANCEL)
            fault = "the dialog did not close by Escape";
    }
    return fault;
}

// IPAGothic without IPAPGothic: the proportional face takes the Japanese one there is.
[[noreturn]] void OtherJapaneseFaceChild()
{
    std::string fault = CheckClientSize();
    const CString family = AfxGetFontFamily(AfxGetFont("ＭＳ Ｐゴシック", 12));
    if (fault.empty() && family != "IPAGothic")
        fault = "ＭＳ Ｐゴシック became \"" + std::string(family.Str()) + "\"";
    Finish(fault);
}

// Only DejaVu: every Gothic face and an unknown one become DejaVu Sans.
[[noreturn]] void OnlyDejaVuChild()
{
    std::string fault = CheckClientSize();
    for (const char* pszFace : {"ＭＳ ゴシック", "ＭＳ Ｐゴシック", "Quindle No Such Face"}) {
        const CString family = AfxGetFontFamily(AfxGetFont(pszFace, 27));
        if (fault.empty() && family != "DejaVu Sans")
            fault = std::string(pszFace) + " became \"" + family.Str() + "\"";
    }
    if (fault.empty())
        fault = PlayOneGame();
    Finish(fault);
}

// No font: none is found and text draws nothing.
[[noreturn]] void NoFontChild()
{
    std::string fault = CheckClientSize();
    if (fault.empty() && AfxGetFont("ＭＳ ゴシック", 27))
        fault = "a font was found";
    CDC dc;
    CBitmap bmp;
    dc.CreateCompatibleDC(nullptr);
    bmp.CreateCompatibleBitmap(&dc, 60, 20);
    dc.SelectObject(&bmp);
    RECT rc = {0, 0, 60, 20};
    if (fault.empty() && (dc.DrawText("Start", -1, &rc, DT_SINGLELINE) != 0 || dc.GetPixel(0, 0) != 0))
        fault = "text was drawn";
    dc.SelectObject(static_cast<CBitmap*>(nullptr));
    if (fault.empty())
        fault = PlayOneGame();
    Finish(fault);
}

class FontFallback : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A fresh process: the fonts of this one are set up already.
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        for (const char* pszName : {"FONTCONFIG_FILE", "HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"}) {
            const char* pszValue = std::getenv(pszName);
            m_saved.emplace_back(pszName, pszValue ? std::string(pszValue) : std::string("\x01"));
        }
    }
    void TearDown() override
    {
        for (const auto& saved : m_saved) {
            if (saved.second == "\x01")
                unsetenv(saved.first.c_str());
            else
                setenv(saved.first.c_str(), saved.second.c_str(), 1);
        }
    }

    std::vector<std::pair<std::string, std::string>> m_saved;
};

TEST_F(FontFallback, OnlyDejaVuGivesDejaVuSansTheSameLayoutAndOneLine)
{
    CFontSandbox sandbox(std::string("  <dir>") + kDejaVuDir
                         + "</dir>\n  <include ignore_missing=\"yes\">/etc/fonts/conf.d</include>\n");
    sandbox.Enter();
    EXPECT_EXIT(OnlyDejaVuChild(), ::testing::ExitedWithCode(0),
                "^[^\n]*: no font with Japanese glyphs is installed; [^\n]*fonts-ipafont-gothic[^\n]*\n$");
}

TEST_F(FontFallback, AnotherJapaneseFaceStandsInWithoutAWord)
{
    CFontSandbox sandbox(std::string("  <dir>") + kDejaVuDir
                         + "</dir>\n  <include ignore_missing=\"yes\">/etc/fonts/conf.d</include>\n");
    ASSERT_TRUE(sandbox.LinkFont(kIpaGothicFile));
    sandbox.Enter();
    EXPECT_EXIT(OtherJapaneseFaceChild(), ::testing::ExitedWithCode(0), "^$");
}

TEST_F(FontFallback, NoFontAtAllKeepsTheLayoutDrawsNoTextAndSaysSoOnce)
{
    CFontSandbox sandbox("");
    sandbox.Enter();
    EXPECT_EXIT(NoFontChild(), ::testing::ExitedWithCode(0),
                "^[^\n]*: no fonts are installed; [^\n]*fonts-ipafont-gothic[^\n]*\n$");
}

} // namespace
