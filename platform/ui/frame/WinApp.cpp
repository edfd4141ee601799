#include "platform/ui/frame/WinApp.h"

#include <cerrno>
#include <cstdio>
#include <thread>

#include "platform/audio/AudioOut.h"
#include "platform/ui/frame/CommandLine.h"
#include "platform/ui/dialog/DialogUnits.h"

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

namespace {

constexpr int kExitFailure = 1;

CWinApp* g_pApp = nullptr; // the one application object
bool g_bStartupFailed = false;

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
    // Finding and opening the dialog font takes about as long as opening
    // the display, which mostly waits for the X server: do both at once.
    std::thread fonts(AfxLoadDialogFonts);
    const BOOL bDisplay = AfxWinInit();
    fonts.join();
    if (!bDisplay) {
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
