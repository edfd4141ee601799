#include "platform/ui/window/UiWindow.h"

#include "platform/ui/window/WinUser.h"

CUiWindow::CUiWindow(int nID, DWORD dwStyle, CString text) : m_nID(nID), m_dwStyle(dwStyle), m_strText(text) {}

CWnd* CUiWindow::GetDlgItem(int)
{
    return nullptr;
}

BOOL CUiWindow::EnableWindow(BOOL bEnable)
{
    const BOOL bWasDisabled = !IsEnabled();
    if (bEnable)
        m_dwStyle &= ~WS_DISABLED;
    else
        m_dwStyle |= WS_DISABLED;
    return bWasDisabled;
}

LRESULT CUiWindow::DefaultProc(CWnd*, UINT, WPARAM, LPARAM)
{
    return 0;
}

BOOL CUiWindow::IsVisible() const
{
    return (m_dwStyle & WS_VISIBLE) != 0;
}

BOOL CUiWindow::IsEnabled() const
{
    return (m_dwStyle & WS_DISABLED) == 0;
}

CUiWindow* AfxUiWindow(HWND hWnd)
{
    return dynamic_cast<CUiWindow*>(hWnd);
}

CUiTopWindow* AfxUiTopWindow(CWnd* pWnd)
{
    CUiWindow* pWindow = pWnd ? AfxUiWindow(pWnd->m_hWnd) : nullptr;
    return pWindow ? pWindow->GetTopWindow() : nullptr;
}
