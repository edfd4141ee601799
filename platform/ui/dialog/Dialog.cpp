#include "platform/ui/dialog/Dialog.h"

#include "platform/ui/dialog/DialogUnits.h"
#include "platform/ui/window/DlgTemplate.h"
#include "platform/ui/window/TopWindow.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

namespace {
constexpr INT_PTR kNoWindow = -1;
CDialogHost* g_pHost = nullptr; // set once, as the application starts
} // namespace

void AfxSetDialogHost(CDialogHost* pHost)
{
    g_pHost = pHost;
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog()
{
    m_hWnd = nullptr;
}

INT_PTR CDialog::DoModal()
{
    CUiTopWindow* pOwner = OwnerWindow();
    if (!CreateFromTemplate()) {
        if (g_pHost && g_pHost->GetMainWindow() == this)
            g_pHost->OnNoMainWindow();
        return kNoWindow;
    }
    CMessageLoop& loop = CMessageLoop::Get();
    loop.BeginModal(m_pWindow.get());
    m_bEnded = FALSE;
    m_nModalResult = kNoWindow;
    if (OnInitDialog())
        SetInitialFocus();
    if (!m_bEnded)
        m_pWindow->Show(pOwner);
    while (!m_bEnded)
        loop.PumpOnce(TRUE);
    DestroyDialogWindow(pOwner);
    return m_nModalResult;
}

BOOL CDialog::CreateFromTemplate()
{
    const DLGTEMPLATEDATA* pTemplate = AfxFindDialogTemplate(m_nIDTemplate);
    if (!pTemplate)
        return FALSE;
    const UIFONT font{CString(pTemplate->pszFace), pTemplate->wPointSize * kTenthsPerPoint};
    const DLGBASEUNITS units = AfxGetDialogBaseUnits(pTemplate->pszFace, pTemplate->wPointSize);
    const CRect rcClient = AfxMapDialogBox(units, 0, 0, pTemplate->cx, pTemplate->cy);
    // Only windows of their own (WS_EX_APPWINDOW) or without an owner go in the taskbar.
    const BOOL bInTaskbar = (pTemplate->dwExStyle & WS_EX_APPWINDOW) || !OwnerWindow();
    std::unique_ptr<CUiTopWindow> pWindow = CUiTopWindow::Create(this, pTemplate->pszCaption, rcClient.Width(),
                                                                 rcClient.Height(), pTemplate->dwStyle, font, bInTaskbar);
    if (!pWindow)
        return FALSE;
    for (int i = 0; i < pTemplate->nItems; ++i) {
        const DLGITEMDATA& item = pTemplate->pItems[i];
        const CRect rc = AfxMapDialogBox(units, item.x, item.y, item.cx, item.cy);
        pWindow->AddControl(std::unique_ptr<CUiControl>(new CUiControl(pWindow.get(), item, rc)));
    }
    pWindow->m_pParentWnd = m_pParentWnd;
    if (m_pWindow)
        m_oldWindows.push_back(std::move(m_pWindow));
    m_pWindow = std::move(pWindow);
    m_hWnd = m_pWindow.get();
    return TRUE;
}

CUiTopWindow* CDialog::OwnerWindow() const
{
    // As the framework does, a dialog without a parent belongs to the main
    // window, else to the window that is active (the modal one).
    CWnd* pOwner = m_pParentWnd;
    if (!pOwner && g_pHost && g_pHost->GetMainWindow() != this)
        pOwner = g_pHost->GetMainWindow();
    CUiWindow* pWindow = pOwner ? AfxUiWindow(pOwner->m_hWnd) : nullptr;
    CUiTopWindow* pTop = pWindow ? pWindow->GetTopWindow() : nullptr;
    if (!pOwner)
        pTop = dynamic_cast<CUiTopWindow*>(CMessageLoop::Get().GetModalWindow());
    return pTop && pTop->IsAlive() ? pTop : nullptr;
}

void CDialog::SetInitialFocus()
{
    // The first control that can take the focus, else the dialog itself.
    for (const auto& pControl : m_pWindow->GetControls()) {
        if (pControl->TakesInput() && (pControl->m_dwStyle & WS_TABSTOP)) {
            AfxSetFocusWindow(pControl.get());
            return;
        }
    }
    AfxSetFocusWindow(m_pWindow.get());
}

void CDialog::DestroyDialogWindow(CUiTopWindow* pOwner)
{
    // As the original platform does when a modal dialog closes, the owner
    // gets the focus back; with no window manager nobody else would give it.
    // It takes it before the dialog goes, so that no key falls in between,
    // also when the window system has not yet told that the dialog had it.
    if (pOwner && (m_pWindow->HasKeyboardFocus() || !AfxAnyWindowHasKeyboardFocus()))
        pOwner->TakeKeyboardFocus();
    CMessageLoop& loop = CMessageLoop::Get();
    if (pOwner && loop.GetFocusWindow() == m_pWindow.get())
        loop.SetFocusWindow(pOwner);
    m_pWindow->Destroy();
    if (pOwner && !AfxGetFocusWindow())
        AfxSetFocusWindow(pOwner);
}

BOOL CDialog::OnInitDialog()
{
    return TRUE;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bEnded = TRUE;
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode)
{
    if (CWnd::OnCmdMsg(nID, nCode))
        return TRUE;
    return g_pHost ? g_pHost->OnHostCommand(nID, nCode) : FALSE;
}

void CDialog::SendCommandIfEnabled(int nID)
{
    // A control with that identifier that cannot take input blocks the command.
    CUiControl* pControl = m_pWindow ? m_pWindow->FindControl(nID) : nullptr;
    if (pControl && !pControl->TakesInput())
        return;
    SendMessage(WM_COMMAND, MAKEWPARAM(WORD(nID), BN_CLICKED), LPARAM(pControl));
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        SendCommandIfEnabled(IDCANCEL);
        return 0;
    case WM_KEYDOWN:
        // A controller's B is its Escape, its A its Enter.
        if (wParam == VK_ESCAPE || wParam == VK_GAMEPAD_B) {
            SendCommandIfEnabled(IDCANCEL);
            return 0;
        }
        if (wParam == VK_RETURN || wParam == VK_GAMEPAD_A) {
            SendCommandIfEnabled(m_pWindow ? m_pWindow->GetDefaultButtonID() : IDOK);
            return 0;
        }
        break;
    default:
        break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}
