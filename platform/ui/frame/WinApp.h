// CWinApp and the process frame. The program defines one static application
// object; main calls AfxWinMain, which reads the command line (--help and
// --version are answered there, with no display), opens the display, calls
// the object's InitInstance and ends the process. This framework has no message loop of
// its own: modal dialogs run theirs inside InitInstance, so whatever
// InitInstance returns, the process then ends with ExitInstance's status
// (0). With no display the process ends at once with one line on stderr
// ("<program>: cannot open a display") and status 1; so it does when the
// main window cannot be created.
//
// Nothing that can wait for the first picture comes before it: the fonts are
// found on a thread of their own from the start (a text waits only for its
// own font), and work of the program's that can wait until the picture is up
// waits for the start-up gate (platform/core/StartupGate.h), which the first
// present opens.
//
// Left out: settings, idle processing, document templates.
#pragma once

#include <vector>

#include "platform/gdi/Font.h"
#include "platform/ui/dialog/Dialog.h"
#include "platform/ui/window/IconImage.h"
#include "platform/ui/window/MessageMap.h"

class CWinApp : public CCmdTarget, public CDialogHost {
public:
    explicit CWinApp(const char* lpszAppName = NULL);
    ~CWinApp() override;

    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // The fonts the first window's first picture draws its text in, beyond
    // the dialog templates' own, in the order it draws with them: AfxWinMain
    // opens them in that order, then the templates', on a thread of their
    // own while the display connects. None by default.
    virtual void AddStartupFonts(std::vector<POINTFONT>* pFonts) const;

    // Framework switches of the original platform; nothing depends on them here.
    BOOL Enable3dControls();

    // The icon resource nIDResource at the standard size, nullptr when there is none.
    HICON LoadIcon(UINT nIDResource) const;

    const char* m_pszAppName;
    const char* m_pszExeName;
    CWnd* m_pMainWnd = nullptr;

    // CDialogHost.
    CWnd* GetMainWindow() const override { return m_pMainWnd; }
    BOOL OnHostCommand(UINT nID, int nCode) override { return OnCmdMsg(nID, nCode); }
    void OnNoMainWindow() override;

protected:
    // The help command: the program has no help content of its own.
    afx_msg void OnHelp();

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
void AfxEnableControlContainer();

int AfxWinMain(int argc, char* argv[]);

// Opens and closes the display (SDL video). AfxWinInit is FALSE when there is
// none, including SDL's silent fall-back to an invisible driver when no
// driver was asked for (SDL_VIDEODRIVER). AfxWinMain calls both; tests that
// open windows call them themselves.
BOOL AfxWinInit();
void AfxWinTerm();
// What the display libraries read from the environment. AfxWinInit sets it
// too; AfxWinMain sets it before it starts any thread, because a thread
// reading the environment while another changes it may read freed memory.
void AfxPrepareDisplayEnvironment();

// Prints "<program>: <what>" on stderr once and makes AfxWinMain end with status 1.
void AfxReportStartupFailure(const char* pszWhat);
