#include "platform/ui/window/PointerHider.h"

#include "platform/ui/display/DisplaySystem.h"

void CPointerHider::SetFullscreen(BOOL bFullscreen, ULONGLONG now)
{
    if (!bFullscreen == !m_bFullscreen)
        return;
    m_bFullscreen = bFullscreen;
    if (bFullscreen) {
        m_due = now + kHideMs;
    } else {
        m_due = kNever;
        AfxGetDisplaySystem().ShowPointer(TRUE);
    }
}

void CPointerHider::OnMotion(ULONGLONG now)
{
    if (!m_bFullscreen)
        return;
    if (m_due == kNever)
        AfxGetDisplaySystem().ShowPointer(TRUE);
    m_due = now + kHideMs;
}

BOOL CPointerHider::HideIfDue(ULONGLONG now)
{
    if (m_due == kNever || now < m_due)
        return FALSE;
    m_due = kNever;
    AfxGetDisplaySystem().ShowPointer(FALSE);
    return TRUE;
}
