#include "app/QuindleApp.h"

#include "app/QuindleDlg.h"

BEGIN_MESSAGE_MAP(CQuindleApp, CWinApp)
ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

CQuindleApp::CQuindleApp() : CWinApp(NULL) {}

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
