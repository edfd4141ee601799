#include "platform/ui/frame/WinApp.h"

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/audio/AudioOut.h"
#include "platform/ui/frame/CommandLine.h"
#include "platform/ui/dialog/DialogUnits.h"

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

namespace {

constexpr int kExitFailure = 1;

CWinApp* g_pApp = nullptr; // the one application object
bool g_bStartupFailed = false;

// Finding and opening the fonts (fontconfig's configuration, then each face)
// takes longer than opening the display, which mostly waits for the display
// server, and than making the window: they are opened on a thread of their
// own from the start. Nothing waits for it but a text whose font it has not
// opened yet (the font cache is shared and locked); it is joined at the end.
class CFontPreload {
public:
    explicit CFontPreload(std::vector<POINTFONT> fonts)
    {
        try {
            m_thread = std::thread([fonts = std::move(fonts)] { AfxPreloadFonts(fonts); });
        } catch (const std::system_error&) {
            // No thread: each font is opened when first drawn with.
        }
    }
    ~CFontPreload()
    {
        if (m_thread.joinable())
            m_thread.join();
    }
    CFontPreload(const CFontPreload&) = delete;
    CFontPreload& operator=(const CFontPreload&) = delete;

private:
    std::thread m_thread;
};

} // namespace

CWinApp::CWinApp(const char* lpszAppName) : m_pszAppName(lpszAppName), m_pszExeName(program_invocation_short_name)
{
    if (!g_pApp) {
        g_pApp = this;
        AfxSetDialogHost(this);
    }
}

CWinApp::~CWinApp()
{
    if (g_pApp == this) {
        g_pApp = nullptr;
        AfxSetDialogHost(nullptr);
    }
}

void CWinApp::OnNoMainWindow()
{
    AfxReportStartupFailure("cannot open a window");
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

void CWinApp::AddStartupFonts(std::vector<POINTFONT>*) const {}

BOOL CWinApp::Enable3dControls()
{
    return TRUE;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return AfxFindIconGroup(nIDResource);
}

void CWinApp::OnHelp() {}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWnd* AfxGetMainWnd()
{
    return g_pApp ? g_pApp->m_pMainWnd : nullptr;
}

void AfxEnableControlContainer() {}

void AfxReportStartupFailure(const char* pszWhat)
{
    if (g_bStartupFailed)
        return;
    g_bStartupFailed = true;
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, pszWhat);
}

int AfxWinMain(int argc, char* argv[])
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return kExitFailure;
    // Before the display: --help and --version must work where there is none.
    CCommandLineInfo cmdInfo;
    AfxParseCommandLine(cmdInfo, argc, argv);
    const int nShellResult = AfxRunShellCommand(cmdInfo, stdout, stderr);
    if (nShellResult != kShellContinue)
        return nShellResult;
    AfxPrepareDisplayEnvironment();
    // The picture's own first: its first text waits only for its own font.
    std::vector<POINTFONT> fonts;
    pApp->AddStartupFonts(&fonts);
    AfxAddDialogFonts(&fonts);
    CFontPreload preload(std::move(fonts));
    if (!AfxWinInit()) {
        AfxReportStartupFailure("cannot open a display");
        return kExitFailure;
    }
    if (pApp->InitApplication())
        pApp->InitInstance();
    const int nResult = pApp->ExitInstance();
    AfxAudioTerm();
    AfxWinTerm();
    return g_bStartupFailed ? kExitFailure : nResult;
}
