#include "platform/ui/window/TopWindow.h"

CUiControl* CUiTopWindow::AddControl(std::unique_ptr<CUiControl> pControl)
{
    m_controls.push_back(std::move(pControl));
    return m_controls.back().get();
}

CUiControl* CUiTopWindow::FindControl(int nID) const
{
    for (const auto& pControl : m_controls) {
        if (pControl->m_nID == nID)
            return pControl.get();
    }
    return nullptr;
}

int CUiTopWindow::GetDefaultButtonID() const
{
    for (const auto& pControl : m_controls) {
        if (pControl->IsDefPushButton())
            return pControl->m_nID;
    }
    return IDOK;
}

BOOL CUiTopWindow::TakesInput() const
{
    const CLoopWindow* pModal = CMessageLoop::Get().GetModalWindow();
    return !pModal || pModal == this;
}

CWnd* CUiTopWindow::GetDlgItem(int nID)
{
    CUiControl* pControl = FindControl(nID);
    return pControl ? &pControl->m_wnd : nullptr;
}
