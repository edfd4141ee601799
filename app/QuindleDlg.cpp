#include "app/QuindleDlg.h"

#include "app/AboutDlg.h"
#include "platform/core/StateFile.h"
#include "platform/ui/window/Menu.h"
#include "platform/ui/input/Gamepad.h"
#include "platform/ui/window/PaintDC.h"
#include "platform/ui/window/SysColors.h"
#include "platform/ui/window/SystemMetrics.h"
#include "platform/ui/frame/WinApp.h"

namespace {

constexpr const char* kTitleText = "Quindle";
// Timer 0 hands the game thread's control states to the window and takes the focus back.
constexpr UINT_PTR kControlTimer = 0;
constexpr UINT kControlTimerPeriod = 200;
// A controller's buzz when a run is lost.
constexpr UINT kRumbleMs = 200;
// The files in the program's state folder that keep the best score and the sound choice.
constexpr const char* kBestFileName = "best";
constexpr const char* kSoundFileName = "sound";

} // namespace

BEGIN_MESSAGE_MAP(CQuindleDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_QUERYDRAGICON()
ON_WM_TIMER()
ON_BN_CLICKED(IDC_START, OnStartCommand)
ON_BN_CLICKED(IDC_STOP, OnStopCommand)
ON_WM_PAINT()
ON_WM_MOUSEWHEEL()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_KEYDOWN()
ON_WM_SYSKEYDOWN()
ON_WM_INPUT_DEVICE_CHANGE()
ON_WM_ACTIVATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

CQuindleDlg::CQuindleDlg(CWnd* pParent) : CDialog(CQuindleDlg::IDD, pParent)
{
    m_hIcon = AfxGetApp() ? AfxGetApp()->LoadIcon(IDR_MAINFRAME) : AfxFindIconGroup(IDR_MAINFRAME);
}

BOOL CQuindleDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu != NULL) {
        CString strSoundMenu;
        strSoundMenu.LoadString(IDS_SOUND);
        if (!strSoundMenu.IsEmpty()) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_SOUND, strSoundMenu);
        }
        // The size items first: the About item stays the last.
        AppendSizeItems(pSysMenu);
        CString strAboutMenu;
        strAboutMenu.LoadString(IDS_ABOUTBOX);
        if (!strAboutMenu.IsEmpty()) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }
    RestoreZoom();

    SendMessage(WM_SETICON, ICON_BIG, LPARAM(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, LPARAM(m_hIcon));

    const CRect rcArea = GetControlRect(this, IDC_AREA);
    m_view.SetArea(rcArea.left, rcArea.top, rcArea.right, rcArea.bottom);
    m_view.m_rcStart = GetControlRect(this, IDC_START);
    m_view.m_rcStop = GetControlRect(this, IDC_STOP);
    m_view.m_rcExit = GetControlRect(this, IDOK);
    m_view.m_rcTitle = GetControlRect(this, IDC_TITLE);
    m_view.SetText(kTitleText);
    m_view.m_crFace = GetSysColor(COLOR_3DFACE);
    m_view.m_crFaceText = GetSysColor(COLOR_BTNTEXT);

    m_thread.SetOwner(this);
    m_thread.m_pView = &m_view;
    m_thread.OpenBest(CStateFile::DefaultPath(kBestFileName));
    m_sound.Open(CStateFile::DefaultPath(kSoundFileName));
    m_thread.m_pCues = &m_sound;
    ShowSoundCheck();

    SetTimer(kControlTimer, kControlTimerPeriod, NULL);
    return TRUE;
}

void CQuindleDlg::OnSysCommand(UINT nID, LPARAM)
{
    if ((nID & kSysCommandMask) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
        return;
    }
    if ((nID & kSysCommandMask) == IDM_SOUND) {
        ToggleSound();
        return;
    }
    if (OnSizeCommand(nID & kSysCommandMask))
        return;
    Default();
}

HCURSOR CQuindleDlg::OnQueryDragIcon()
{
    return m_hIcon;
}

void CQuindleDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kControlTimer) {
        m_thread.UpdateControls();
        SetFocus();
    }
    Default();
}

void CQuindleDlg::OnPaint()
{
    // A lost run shows as it ends: the paint that shows it is the moment.
    if (m_thread.TakeGameOver())
        AfxRumbleGamepad(kRumbleMs);
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, WPARAM(dc.GetSafeHdc()), 0);
        const int cxIcon = GetSystemMetrics(SM_CXICON);
        const int cyIcon = GetSystemMetrics(SM_CYICON);
        CRect rect;
        GetClientRect(&rect);
        const int x = (rect.Width() - cxIcon + 1) / 2;
        const int y = (rect.Height() - cyIcon + 1) / 2;
        dc.DrawIcon(x, y, m_hIcon);
        return;
    }
    CPaintDC dc(this);
    const CString text = m_thread.GetStatusText();
    m_view.m_padInCharge = AfxGetPadInCharge();
    // A paint that would change nothing on the screen costs nothing.
    std::vector<int> key;
    m_view.GetPictureKey(text, &key);
    if (dc.KeepsPicture(key))
        return;
    m_view.Paint(&dc, text);
    Default();
}

// The hidden Start and Stop controls never send these; the self-drawn buttons
// below are the user's way to start and stop.
void CQuindleDlg::OnStartCommand()
{
    m_thread.Start();
}

void CQuindleDlg::OnStopCommand()
{
    m_thread.Stop();
}

// One step of the player per wheel message, on either screen.
BOOL CQuindleDlg::OnMouseWheel(UINT, short zDelta, CPoint)
{
    Steer(zDelta > 0);
    return BOOL(Default());
}

// A button works when the left button is released over it.
void CQuindleDlg::OnLButtonUp(UINT, CPoint point)
{
    if (m_view.m_bInGame == 0) {
        if (m_view.HitStart(point))
            StartGame();
        else if (m_view.HitExit(point))
            OnOK();
    } else if (m_view.HitStop(point)) {
        StopGame();
    }
    Default();
}

void CQuindleDlg::OnMouseMove(UINT, CPoint point)
{
    m_view.UpdateHover(point);
    InvalidateRect(NULL, FALSE);
    Default();
}

// Looking away pauses: the focus gone to another program, or the window minimised.
void CQuindleDlg::OnActivate(UINT nState, CWnd* pWndOther, BOOL)
{
    if (nState == WA_INACTIVE && pWndOther == NULL)
        m_thread.PauseGame();
    Default();
}

void CQuindleDlg::OnSize(UINT nType, int, int)
{
    if (nType == SIZE_MINIMIZED)
        m_thread.PauseGame();
    Default();
}

void CQuindleDlg::StartGame()
{
    // The menu appears again with Start focused.
    m_view.ResetMenuFocus();
    m_view.m_bInGame = 1;
    InvalidateRect(NULL, TRUE);
    // No thread, no game: the repaint asked for above shows the menu again.
    if (m_thread.Start() != 0)
        m_view.m_bInGame = 0;
}

void CQuindleDlg::StopGame()
{
    m_view.m_bInGame = 0;
    m_thread.Stop();
    m_thread.KeepScore();
    InvalidateRect(NULL, TRUE);
}

void CQuindleDlg::Steer(BOOL bUp)
{
    if (!m_thread.IsPaused()) {
        if (bUp)
            m_view.MovePlayerUp();
        else
            m_view.MovePlayerDown();
    }
    InvalidateRect(NULL, FALSE);
}

void CQuindleDlg::ToggleSound()
{
    m_sound.SetSoundOn(!m_sound.IsSoundOn());
    ShowSoundCheck();
}

void CQuindleDlg::ShowSoundCheck()
{
    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu)
        pSysMenu->CheckMenuItem(IDM_SOUND, MF_BYCOMMAND | (m_sound.IsSoundOn() ? MF_CHECKED : MF_UNCHECKED));
}

CRect GetControlRect(CWnd* pDlg, int nID)
{
    CRect rc;
    CWnd* pControl = pDlg ? pDlg->GetDlgItem(nID) : nullptr;
    if (!pControl)
        return rc;
    pControl->GetWindowRect(&rc);
    pDlg->ScreenToClient(&rc);
    return rc;
}
