#include "app/QuindleApp.h"

#include "app/QuindleDlg.h"
#include "render/Palette.h"

BEGIN_MESSAGE_MAP(CQuindleApp, CWinApp)
ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

CQuindleApp::CQuindleApp() : CWinApp(NULL) {}

void CQuindleApp::AddStartupFonts(std::vector<POINTFONT>* pFonts) const
{
    // The menu screen's title, then its captions; its score line is in the dialog's own font.
    pFonts->push_back(POINTFONT{palette::kScreenFaceName, palette::kTitlePointSize});
    pFonts->push_back(POINTFONT{palette::kScreenFaceName, palette::kCaptionPointSize});
}

BOOL CQuindleApp::InitInstance()
{
    AfxEnableControlContainer();
    Enable3dControls();
    {
        CQuindleDlg dlg;
        m_pMainWnd = &dlg;
        // The whole game happens inside DoModal; how it ended does not matter.
        dlg.DoModal();
        m_pMainWnd = NULL;
    } // m_thread, then m_view, then the dialog go here.
    return FALSE;
}
