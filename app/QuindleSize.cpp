// The main window's size: fullscreen and the zoom, from the system menu and
// the keys (F11 or Alt+Enter; Ctrl with plus, = or the keypad's plus, with
// minus, with 0). The zoom the player chooses is kept in the state folder
// for the next run, as the best score is.
#include "app/QuindleDlg.h"

#include "platform/ui/window/Menu.h"
#include "platform/ui/window/WindowSize.h"

namespace {

constexpr const char* kZoomFileName = "zoom";

struct SIZEITEM {
    UINT nIDS;
    UINT nIDM;
};
constexpr SIZEITEM kSizeItems[] = {
    {IDS_FULLSCREEN, IDM_FULLSCREEN},
    {IDS_ZOOMIN, IDM_ZOOMIN},
    {IDS_ZOOMOUT, IDM_ZOOMOUT},
    {IDS_ZOOMRESET, IDM_ZOOMRESET},
};

// The system command a key stands for, 0 for none.
UINT SizeCommandOf(UINT nChar)
{
    if (nChar == VK_F11)
        return IDM_FULLSCREEN;
    if (GetKeyState(VK_CONTROL) >= 0)
        return 0;
    switch (nChar) {
    case VK_OEM_PLUS:
    case VK_ADD:
        return IDM_ZOOMIN;
    case VK_OEM_MINUS:
    case VK_SUBTRACT:
        return IDM_ZOOMOUT;
    case '0':
    case VK_NUMPAD0:
        return IDM_ZOOMRESET;
    default:
        return 0;
    }
}

} // namespace

void CQuindleDlg::AppendSizeItems(CMenu* pSysMenu)
{
    BOOL bSeparated = FALSE;
    for (const SIZEITEM& item : kSizeItems) {
        CString strItem;
        strItem.LoadString(item.nIDS);
        if (strItem.IsEmpty())
            continue;
        if (!bSeparated)
            pSysMenu->AppendMenu(MF_SEPARATOR);
        bSeparated = TRUE;
        pSysMenu->AppendMenu(MF_STRING, item.nIDM, strItem);
    }
}

void CQuindleDlg::RestoreZoom()
{
    m_zoomFile = CStateFile(CStateFile::DefaultPath(kZoomFileName));
    int nZoom = 0;
    if (m_zoomFile.ReadInt(&nZoom))
        AfxSetKeptWindowZoom(this, nZoom);
}

BOOL CQuindleDlg::OnSizeCommand(UINT nID)
{
    int nStep = 0;
    switch (nID) {
    case IDM_FULLSCREEN:
        AfxSetFullscreen(this, !AfxIsFullscreen(this));
        if (CMenu* pSysMenu = GetSystemMenu(FALSE))
            pSysMenu->CheckMenuItem(IDM_FULLSCREEN, MF_BYCOMMAND | (AfxIsFullscreen(this) ? MF_CHECKED : MF_UNCHECKED));
        return TRUE;
    case IDM_ZOOMIN:
        nStep = 1;
        break;
    case IDM_ZOOMOUT:
        nStep = -1;
        break;
    case IDM_ZOOMRESET:
        break;
    default:
        return FALSE;
    }
    int nZoom = 0;
    if (AfxStepWindowZoom(this, nStep, &nZoom))
        m_zoomFile.WriteInt(nZoom);
    return TRUE;
}

BOOL CQuindleDlg::OnSizeKey(UINT nChar, BOOL bRepeat)
{
    const UINT nID = SizeCommandOf(nChar);
    if (nID == 0)
        return FALSE;
    // A held F11 must not flicker in and out of fullscreen; a held zoom key steps on.
    if (!bRepeat || nID != IDM_FULLSCREEN)
        SendMessage(WM_SYSCOMMAND, nID, 0);
    return TRUE;
}

// Alt+Enter toggles fullscreen as F11 does; the rest of the Alt keys are the system's.
void CQuindleDlg::OnSysKeyDown(UINT nChar, UINT, UINT nFlags)
{
    if (nChar == VK_RETURN) {
        if (!(nFlags & KF_REPEAT))
            SendMessage(WM_SYSCOMMAND, IDM_FULLSCREEN, 0);
        return;
    }
    Default();
}
