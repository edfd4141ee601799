#include "platform/ui/window/Control.h"

#include "platform/gdi/Dc.h"
#include "platform/ui/window/IconImage.h"
#include "platform/ui/window/SysColors.h"
#include "platform/ui/window/SystemMetrics.h"
#include "platform/ui/window/TopWindow.h"

CUiControl::CUiControl(CUiTopWindow* pParent, const DLGITEMDATA& item, const CRect& rc)
    : CUiWindow(item.nID, item.dwStyle, CString(item.pszText)), m_rc(rc), m_wClass(item.wClass),
      m_nResourceID(item.nResourceID), m_pParent(pParent)
{
    if (m_wClass == kDlgClassStatic && (m_dwStyle & SS_TYPEMASK) == SS_ICON) {
        // An icon static takes the size of its icon.
        m_rc.right = m_rc.left + GetSystemMetrics(SM_CXICON);
        m_rc.bottom = m_rc.top + GetSystemMetrics(SM_CYICON);
    }
    m_wnd.m_hWnd = this;
    m_pWnd = &m_wnd;
    m_pParentWnd = pParent->m_pWnd;
}

void CUiControl::Invalidate(const RECT*, BOOL bErase)
{
    m_pParent->Invalidate(nullptr, bErase);
}

BOOL CUiControl::EnableWindow(BOOL bEnable)
{
    const BOOL bWasDisabled = CUiWindow::EnableWindow(bEnable);
    if (IsVisible())
        Invalidate(nullptr, FALSE);
    return bWasDisabled;
}

CRect CUiControl::GetClientScreenRect() const
{
    const CRect rcParent = m_pParent->GetClientScreenRect();
    return CRect(rcParent.left + m_rc.left, rcParent.top + m_rc.top, rcParent.left + m_rc.right,
                 rcParent.top + m_rc.bottom);
}

BOOL CUiControl::IsPushButton() const
{
    const DWORD type = m_dwStyle & BS_TYPEMASK;
    return m_wClass == kDlgClassButton && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

BOOL CUiControl::IsDefPushButton() const
{
    return m_wClass == kDlgClassButton && (m_dwStyle & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

BOOL CUiControl::TakesInput() const
{
    return IsVisible() && IsEnabled();
}

void CUiControl::Draw(SDL_Surface* pSurface, const UIFONT& font, BOOL bPressed, int nScale) const
{
    if (!IsVisible())
        return;
    if (IsPushButton())
        DrawButton(pSurface, font, bPressed, nScale);
    else if (m_wClass == kDlgClassStatic)
        DrawStatic(pSurface, font, nScale);
}

void CUiControl::DrawButton(SDL_Surface* pSurface, const UIFONT& font, BOOL bPressed, int nScale) const
{
    CRect rc = m_rc;
    AfxFillSolid(pSurface, rc, GetSysColor(COLOR_3DFACE), nScale);
    if (IsDefPushButton()) {
        AfxDraw3dFrame(pSurface, rc, GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOWTEXT), nScale);
        rc = CRect(rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1);
    }
    if (bPressed) {
        AfxDraw3dFrame(pSurface, rc, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DSHADOW), nScale);
    } else {
        AfxDraw3dFrame(pSurface, rc, GetSysColor(COLOR_3DHILIGHT), GetSysColor(COLOR_3DDKSHADOW), nScale);
        const CRect rcInner(rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1);
        AfxDraw3dFrame(pSurface, rcInner, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DSHADOW), nScale);
    }
    // A pushed button's caption moves down and right by a pixel.
    const int nShift = bPressed ? 1 : 0;
    const CRect rcText(rc.left + nShift, rc.top + nShift, rc.right + nShift, rc.bottom + nShift);
    const COLORREF crText = IsEnabled() ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT);
    AfxDrawUiText(pSurface, font, m_strText, rcText, DT_CENTER | DT_VCENTER, crText, nScale);
}

void CUiControl::DrawStatic(SDL_Surface* pSurface, const UIFONT& font, int nScale) const
{
    if ((m_dwStyle & SS_TYPEMASK) == SS_ICON) {
        AfxDrawIconImage(pSurface, m_rc.left, m_rc.top, AfxFindIconGroup(m_nResourceID), GetSystemMetrics(SM_CXICON),
                         nScale);
        return;
    }
    AfxDrawUiText(pSurface, font, m_strText, m_rc, DT_LEFT | DT_TOP, GetSysColor(COLOR_WINDOWTEXT), nScale);
}
