#include "platform/ui/window/SysMenuPopup.h"

#include <algorithm>
#include <vector>

#include "platform/ui/window/MenuData.h"
#include "platform/ui/loop/MessageLoop.h"
#include "platform/ui/window/SysColors.h"
#include "platform/ui/window/TopWindow.h"
#include "platform/ui/window/UiDraw.h"

namespace {

constexpr int kFrame = 3;          // the raised frame around the items
constexpr int kItemPadding = 4;    // above and below an item's text
constexpr int kTextLeft = 20;      // room for a check mark, as menus keep it
constexpr int kCheckLeft = 7;      // the check mark's place in that room
constexpr int kCheckSize = 7;
constexpr int kTextRight = 20;
constexpr int kSeparatorHeight = 9;
constexpr int kMinTextWidth = 60;
constexpr int kNoRow = -1;

struct POPUPSIZE {
    int cx;
    int cy;
};

struct ITEMLAYOUT {
    CRect rc; // in the popup's client coordinates
    BOOL bSeparator;
    BOOL bChecked;
    UINT nID;
    MENUTEXT text;
};

// The popup is the modal window of the loop, with no window of its own: it
// draws itself over its owner's painting, and takes the owner's input.
class CSysMenuPopup : public CLoopWindow, public CWindowOverlay {
public:
    CSysMenuPopup(CUiTopWindow* pOwner, HMENU hMenu);
    UINT Track(CPoint ptClient);

    Uint32 GetWindowID() const override { return 0; }
    void OnInput(const AFX_INPUT& input) override;
    void OnInputElsewhere(const AFX_INPUT& input) override;
    void OnWindowChange(EWindowChange) override {}
    BOOL PaintPending() override { return FALSE; }
    ULONGLONG NextTimerDue() const override { return kNever; }
    BOOL FireDueTimer(ULONGLONG) override { return FALSE; }
    void OnQuit() override { Close(0); }
    void Draw(SDL_Surface* pSurface, int nScale) override;

private:
    POPUPSIZE Measure() const;
    void Layout(CPoint ptOrigin, POPUPSIZE size);
    CPoint KeepInOwner(CPoint pt, POPUPSIZE size) const;
    int ItemAt(CPoint pt) const;
    void SetHot(int nItem);
    void MoveHot(int nStep);
    void OnKey(UINT nVirtKey);
    void Close(UINT nResult);
    void PaintItem(SDL_Surface* pSurface, int nItem, int nScale);

    CUiTopWindow* m_pOwner;
    UIFONT m_font;
    std::vector<ITEMLAYOUT> m_items;
    CRect m_rc; // in the owner's client coordinates
    int m_nHot = kNoRow;
    BOOL m_bDone = FALSE;
    UINT m_nResult = 0;
};

CSysMenuPopup::CSysMenuPopup(CUiTopWindow* pOwner, HMENU hMenu) : m_pOwner(pOwner), m_font(pOwner->GetFont())
{
    for (const MENUITEM& item : hMenu->items) {
        const BOOL bSeparator = (item.nFlags & MF_SEPARATOR) != 0;
        const BOOL bChecked = (item.nFlags & MF_CHECKED) != 0;
        m_items.push_back(ITEMLAYOUT{CRect(), bSeparator, bChecked, item.nID, AfxParseMenuText(item.strText)});
    }
}

POPUPSIZE CSysMenuPopup::Measure() const
{
    int nTextWidth = kMinTextWidth;
    int nTextHeight = 0;
    for (const ITEMLAYOUT& item : m_items) {
        const CRect rcText = AfxUiTextExtent(m_font, item.text.strShown);
        nTextWidth = std::max(nTextWidth, rcText.Width());
        nTextHeight = std::max(nTextHeight, rcText.Height());
    }
    int cy = 2 * kFrame;
    for (const ITEMLAYOUT& item : m_items)
        cy += item.bSeparator ? kSeparatorHeight : nTextHeight + 2 * kItemPadding;
    return POPUPSIZE{kFrame + kTextLeft + nTextWidth + kTextRight + kFrame, cy};
}

void CSysMenuPopup::Layout(CPoint ptOrigin, POPUPSIZE size)
{
    int nTextHeight = 0;
    for (const ITEMLAYOUT& item : m_items)
        nTextHeight = std::max(nTextHeight, AfxUiTextExtent(m_font, item.text.strShown).Height());
    m_rc = CRect(ptOrigin.x, ptOrigin.y, ptOrigin.x + size.cx, ptOrigin.y + size.cy);
    int y = m_rc.top + kFrame;
    for (ITEMLAYOUT& item : m_items) {
        const int nHeight = item.bSeparator ? kSeparatorHeight : nTextHeight + 2 * kItemPadding;
        item.rc = CRect(m_rc.left + kFrame, y, m_rc.right - kFrame, y + nHeight);
        y += nHeight;
    }
}

// At the pointer, opening to the left and upwards where it would leave the
// window on the right or at the bottom, as menus do near a screen's edge.
CPoint CSysMenuPopup::KeepInOwner(CPoint pt, POPUPSIZE size) const
{
    const CRect rcScreen = m_pOwner->GetClientScreenRect();
    const CRect rcClient(0, 0, rcScreen.Width(), rcScreen.Height());
    if (pt.x + size.cx > rcClient.right)
        pt.x -= size.cx;
    if (pt.y + size.cy > rcClient.bottom)
        pt.y -= size.cy;
    pt.x = std::max<LONG>(0, std::min<LONG>(pt.x, rcClient.right - size.cx));
    pt.y = std::max<LONG>(0, std::min<LONG>(pt.y, rcClient.bottom - size.cy));
    return pt;
}

UINT CSysMenuPopup::Track(CPoint ptClient)
{
    const POPUPSIZE size = Measure();
    Layout(KeepInOwner(ptClient, size), size);
    CMessageLoop& loop = CMessageLoop::Get();
    loop.BeginModal(this);
    m_pOwner->SetOverlay(this);
    while (!m_bDone && m_pOwner->IsAlive())
        loop.PumpOnce(TRUE);
    m_pOwner->SetOverlay(nullptr);
    loop.EndModal(this);
    return m_nResult;
}

int CSysMenuPopup::ItemAt(CPoint pt) const
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (!m_items[i].bSeparator && m_items[i].rc.PtInRect(pt))
            return int(i);
    }
    return kNoRow;
}

void CSysMenuPopup::SetHot(int nItem)
{
    if (nItem != m_nHot) {
        m_nHot = nItem;
        m_pOwner->Invalidate(nullptr, FALSE);
    }
}

void CSysMenuPopup::MoveHot(int nStep)
{
    const int nCount = int(m_items.size());
    int nItem = m_nHot == kNoRow ? (nStep > 0 ? -1 : nCount) : m_nHot;
    for (int n = 0; n < nCount; ++n) {
        nItem = (nItem + nStep + nCount) % nCount;
        if (!m_items[size_t(nItem)].bSeparator) {
            SetHot(nItem);
            return;
        }
    }
}

void CSysMenuPopup::Close(UINT nResult)
{
    m_nResult = nResult;
    m_bDone = TRUE;
}

void CSysMenuPopup::OnInput(const AFX_INPUT& input)
{
    if (input.type == EInput::kKeyDown)
        OnKey(input.nVirtKey);
}

void CSysMenuPopup::OnKey(UINT nVirtKey)
{
    switch (nVirtKey) {
    case VK_ESCAPE:
        Close(0);
        return;
    case VK_UP:
        MoveHot(-1);
        return;
    case VK_DOWN:
        MoveHot(1);
        return;
    case VK_RETURN:
        if (m_nHot != kNoRow)
            Close(m_items[size_t(m_nHot)].nID);
        return;
    default:
        break;
    }
    // The items' access keys: a letter or a digit.
    const BOOL bAccessKey = (nVirtKey >= '0' && nVirtKey <= '9') || (nVirtKey >= 'A' && nVirtKey <= 'Z');
    if (!bAccessKey)
        return;
    for (const ITEMLAYOUT& item : m_items) {
        if (!item.bSeparator && UINT(item.text.chKey) == nVirtKey) {
            Close(item.nID);
            return;
        }
    }
}

void CSysMenuPopup::OnInputElsewhere(const AFX_INPUT& input)
{
    const BOOL bOwner = m_pOwner->GetWindowID() == input.nWindowID;
    const CPoint pt = m_pOwner->ClientPoint(input.x, input.y);
    switch (input.type) {
    case EInput::kMouseMove:
        if (bOwner)
            SetHot(ItemAt(pt));
        break;
    case EInput::kButtonDown:
        // A click away from the popup closes it without a choice.
        if (!bOwner || !m_rc.PtInRect(pt))
            Close(0);
        break;
    case EInput::kButtonUp: {
        const int nItem = bOwner ? ItemAt(pt) : kNoRow;
        if (nItem != kNoRow)
            Close(m_items[size_t(nItem)].nID);
        break;
    }
    default:
        break;
    }
}

void CSysMenuPopup::Draw(SDL_Surface* pSurface, int nScale)
{
    AfxFillSolid(pSurface, m_rc, GetSysColor(COLOR_MENU), nScale);
    AfxDraw3dFrame(pSurface, m_rc, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW), nScale);
    AfxDraw3dFrame(pSurface, CRect(m_rc.left + 1, m_rc.top + 1, m_rc.right - 1, m_rc.bottom - 1),
                   GetSysColor(COLOR_3DHILIGHT), GetSysColor(COLOR_3DSHADOW), nScale);
    for (size_t i = 0; i < m_items.size(); ++i)
        PaintItem(pSurface, int(i), nScale);
}

void CSysMenuPopup::PaintItem(SDL_Surface* pSurface, int nItem, int nScale)
{
    const ITEMLAYOUT& item = m_items[size_t(nItem)];
    if (item.bSeparator) {
        const int y = (item.rc.top + item.rc.bottom) / 2 - 1;
        AfxFillSolid(pSurface, CRect(item.rc.left + 1, y, item.rc.right - 1, y + 1), GetSysColor(COLOR_3DSHADOW), nScale);
        AfxFillSolid(pSurface, CRect(item.rc.left + 1, y + 1, item.rc.right - 1, y + 2), GetSysColor(COLOR_3DHILIGHT), nScale);
        return;
    }
    const BOOL bHot = nItem == m_nHot;
    if (bHot)
        AfxFillSolid(pSurface, item.rc, GetSysColor(COLOR_HIGHLIGHT), nScale);
    const COLORREF crText = GetSysColor(bHot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    const CRect rcText(item.rc.left + kTextLeft, item.rc.top, item.rc.right - kTextRight, item.rc.bottom);
    AfxDrawUiText(pSurface, m_font, item.text.strShown, rcText, DT_LEFT | DT_VCENTER, crText, nScale);
    if (item.bChecked)
        AfxDrawCheckMark(pSurface, item.rc.left + kCheckLeft, (item.rc.top + item.rc.bottom - kCheckSize) / 2, crText,
                         nScale);
    if (item.text.nKeyOffset < 0)
        return;
    // The access key's underline, under the letter, one pixel below the text.
    const std::string& shown = item.text.strShown.Str();
    const CRect rcBefore = AfxUiTextExtent(m_font, CString(shown.substr(0, size_t(item.text.nKeyOffset))));
    const CRect rcThrough = AfxUiTextExtent(m_font, CString(shown.substr(0, size_t(item.text.nKeyOffset) + 1)));
    const int y = rcText.top + (rcText.Height() + rcThrough.Height()) / 2;
    AfxFillSolid(pSurface, CRect(rcText.left + rcBefore.Width(), y, rcText.left + rcThrough.Width(), y + 1), crText, nScale);
}

} // namespace

UINT AfxTrackSystemMenu(CUiTopWindow* pOwner, HMENU hMenu, CPoint ptClient)
{
    if (!pOwner || !hMenu || hMenu->items.empty())
        return 0;
    CSysMenuPopup popup(pOwner, hMenu);
    return popup.Track(ptClient);
}
