#include "platform/ui/SysMenuPopup.h"

#include <algorithm>
#include <vector>

#include "platform/ui/MenuData.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/SysColors.h"
#include "platform/ui/TopWindow.h"
#include "platform/ui/UiDraw.h"

namespace {

constexpr int kFrame = 3;          // the raised frame around the items
constexpr int kItemPadding = 4;    // above and below an item's text
constexpr int kTextLeft = 20;      // room for a check mark, as menus keep it
constexpr int kTextRight = 20;
constexpr int kSeparatorHeight = 9;
constexpr int kMinTextWidth = 60;
constexpr int kNoItem = -1;

struct POPUPSIZE {
    int cx;
    int cy;
};

struct ITEMLAYOUT {
    CRect rc; // in the popup's client coordinates
    BOOL bSeparator;
    UINT nID;
    MENUTEXT text;
};

class CSysMenuPopup : public CLoopWindow {
public:
    CSysMenuPopup(CUiTopWindow* pOwner, HMENU hMenu);
    UINT Track(CPoint ptScreen);

    Uint32 GetWindowID() const override { return m_nWindowID; }
    SDL_Window* GetSdlWindow() const override { return m_pWindow; }
    void OnInput(const SDL_Event& event) override;
    void OnInputElsewhere(const SDL_Event& event) override;
    void OnWindowEvent(const SDL_WindowEvent& event) override;
    BOOL PaintPending() override;
    ULONGLONG NextTimerDue() const override { return kNever; }
    BOOL FireDueTimer(ULONGLONG) override { return FALSE; }
    void OnQuit() override { Close(0); }

private:
    POPUPSIZE Layout();
    CPoint KeepOnScreen(CPoint pt, POPUPSIZE size) const;
    int ItemAt(CPoint pt) const;
    void SetHot(int nItem);
    void MoveHot(int nStep);
    void OnKey(SDL_Keycode sym);
    void Close(UINT nResult);
    void Paint(SDL_Surface* pSurface);
    void PaintItem(SDL_Surface* pSurface, int nItem);

    CUiTopWindow* m_pOwner;
    UIFONT m_font;
    std::vector<ITEMLAYOUT> m_items;
    SDL_Window* m_pWindow = nullptr;
    Uint32 m_nWindowID = 0;
    int m_nHot = kNoItem;
    BOOL m_bDirty = TRUE;
    BOOL m_bDone = FALSE;
    UINT m_nResult = 0;
};

CSysMenuPopup::CSysMenuPopup(CUiTopWindow* pOwner, HMENU hMenu) : m_pOwner(pOwner), m_font(pOwner->GetFont())
{
    for (const MENUITEM& item : hMenu->items) {
        const BOOL bSeparator = (item.nFlags & MF_SEPARATOR) != 0;
        m_items.push_back(ITEMLAYOUT{CRect(), bSeparator, item.nID, AfxParseMenuText(item.strText)});
    }
}

POPUPSIZE CSysMenuPopup::Layout()
{
    int nTextWidth = kMinTextWidth;
    int nTextHeight = 0;
    for (const ITEMLAYOUT& item : m_items) {
        const CRect rcText = AfxUiTextExtent(m_font, item.text.strShown);
        nTextWidth = std::max(nTextWidth, rcText.Width());
        nTextHeight = std::max(nTextHeight, rcText.Height());
    }
    const int nWidth = kFrame + kTextLeft + nTextWidth + kTextRight + kFrame;
    int y = kFrame;
    for (ITEMLAYOUT& item : m_items) {
        const int nHeight = item.bSeparator ? kSeparatorHeight : nTextHeight + 2 * kItemPadding;
        item.rc = CRect(kFrame, y, nWidth - kFrame, y + nHeight);
        y += nHeight;
    }
    return POPUPSIZE{nWidth, y + kFrame};
}

CPoint CSysMenuPopup::KeepOnScreen(CPoint pt, POPUPSIZE size) const
{
    SDL_Rect bounds;
    const int nDisplay = SDL_GetWindowDisplayIndex(m_pOwner->GetSdlWindow());
    if (nDisplay < 0 || SDL_GetDisplayBounds(nDisplay, &bounds) != 0)
        return pt;
    pt.x = std::max<LONG>(bounds.x, std::min<LONG>(pt.x, bounds.x + bounds.w - size.cx));
    pt.y = std::max<LONG>(bounds.y, std::min<LONG>(pt.y, bounds.y + bounds.h - size.cy));
    return pt;
}

UINT CSysMenuPopup::Track(CPoint ptScreen)
{
    const POPUPSIZE size = Layout();
    const CPoint pt = KeepOnScreen(ptScreen, size);
    const Uint32 flags =
        SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR;
    m_pWindow = SDL_CreateWindow("", pt.x, pt.y, size.cx, size.cy, flags);
    if (!m_pWindow)
        return 0;
    m_nWindowID = SDL_GetWindowID(m_pWindow);
    CMessageLoop& loop = CMessageLoop::Get();
    loop.AddWindow(this);
    loop.BeginModal(this);
    SDL_ShowWindow(m_pWindow);
    while (!m_bDone)
        loop.PumpOnce(TRUE);
    const BOOL bHadFocus = SDL_GetKeyboardFocus() == m_pWindow;
    loop.RemoveWindow(this);
    SDL_DestroyWindow(m_pWindow);
    m_pWindow = nullptr;
    if (bHadFocus)
        m_pOwner->TakeKeyboardFocus();
    return m_nResult;
}

int CSysMenuPopup::ItemAt(CPoint pt) const
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (!m_items[i].bSeparator && m_items[i].rc.PtInRect(pt))
            return int(i);
    }
    return kNoItem;
}

void CSysMenuPopup::SetHot(int nItem)
{
    if (nItem != m_nHot) {
        m_nHot = nItem;
        m_bDirty = TRUE;
    }
}

void CSysMenuPopup::MoveHot(int nStep)
{
    const int nCount = int(m_items.size());
    int nItem = m_nHot == kNoItem ? (nStep > 0 ? -1 : nCount) : m_nHot;
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

void CSysMenuPopup::OnInput(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_MOUSEMOTION:
        SetHot(ItemAt(CPoint(event.motion.x, event.motion.y)));
        break;
    case SDL_MOUSEBUTTONUP: {
        const int nItem = ItemAt(CPoint(event.button.x, event.button.y));
        if (nItem != kNoItem)
            Close(m_items[size_t(nItem)].nID);
        break;
    }
    case SDL_KEYDOWN:
        OnKey(event.key.keysym.sym);
        break;
    default:
        break;
    }
}

void CSysMenuPopup::OnKey(SDL_Keycode sym)
{
    switch (sym) {
    case SDLK_ESCAPE:
        Close(0);
        return;
    case SDLK_UP:
        MoveHot(-1);
        return;
    case SDLK_DOWN:
        MoveHot(1);
        return;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        if (m_nHot != kNoItem)
            Close(m_items[size_t(m_nHot)].nID);
        return;
    default:
        break;
    }
    if (sym < SDLK_0 || sym > SDLK_z)
        return;
    const char chKey = char(sym >= SDLK_a ? sym - SDLK_a + 'A' : sym);
    for (const ITEMLAYOUT& item : m_items) {
        if (!item.bSeparator && item.text.chKey == chKey) {
            Close(item.nID);
            return;
        }
    }
}

void CSysMenuPopup::OnInputElsewhere(const SDL_Event& event)
{
    if (event.type == SDL_MOUSEBUTTONDOWN)
        Close(0);
}

void CSysMenuPopup::OnWindowEvent(const SDL_WindowEvent& event)
{
    if (event.event == SDL_WINDOWEVENT_EXPOSED || event.event == SDL_WINDOWEVENT_SHOWN)
        m_bDirty = TRUE;
    else if (event.event == SDL_WINDOWEVENT_CLOSE)
        Close(0);
}

BOOL CSysMenuPopup::PaintPending()
{
    if (!m_bDirty || !m_pWindow)
        return FALSE;
    m_bDirty = FALSE;
    if (SDL_Surface* pSurface = SDL_GetWindowSurface(m_pWindow)) {
        Paint(pSurface);
        SDL_UpdateWindowSurface(m_pWindow);
    }
    return TRUE;
}

void CSysMenuPopup::Paint(SDL_Surface* pSurface)
{
    const CRect rc(0, 0, pSurface->w, pSurface->h);
    AfxFillSolid(pSurface, rc, GetSysColor(COLOR_MENU));
    AfxDraw3dFrame(pSurface, rc, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
    AfxDraw3dFrame(pSurface, CRect(1, 1, rc.right - 1, rc.bottom - 1), GetSysColor(COLOR_3DHILIGHT),
                   GetSysColor(COLOR_3DSHADOW));
    for (size_t i = 0; i < m_items.size(); ++i)
        PaintItem(pSurface, int(i));
}

void CSysMenuPopup::PaintItem(SDL_Surface* pSurface, int nItem)
{
    const ITEMLAYOUT& item = m_items[size_t(nItem)];
    if (item.bSeparator) {
        const int y = (item.rc.top + item.rc.bottom) / 2 - 1;
        AfxFillSolid(pSurface, CRect(item.rc.left + 1, y, item.rc.right - 1, y + 1), GetSysColor(COLOR_3DSHADOW));
        AfxFillSolid(pSurface, CRect(item.rc.left + 1, y + 1, item.rc.right - 1, y + 2), GetSysColor(COLOR_3DHILIGHT));
        return;
    }
    const BOOL bHot = nItem == m_nHot;
    if (bHot)
        AfxFillSolid(pSurface, item.rc, GetSysColor(COLOR_HIGHLIGHT));
    const COLORREF crText = GetSysColor(bHot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    const CRect rcText(item.rc.left + kTextLeft, item.rc.top, item.rc.right - kTextRight, item.rc.bottom);
    AfxDrawUiText(pSurface, m_font, item.text.strShown, rcText, DT_LEFT | DT_VCENTER, crText);
    if (item.text.nKeyOffset < 0)
        return;
    // The access key's underline, under the letter, one pixel below the text.
    const std::string& shown = item.text.strShown.Str();
    const CRect rcBefore = AfxUiTextExtent(m_font, CString(shown.substr(0, size_t(item.text.nKeyOffset))));
    const CRect rcThrough = AfxUiTextExtent(m_font, CString(shown.substr(0, size_t(item.text.nKeyOffset) + 1)));
    const int y = rcText.top + (rcText.Height() + rcThrough.Height()) / 2;
    AfxFillSolid(pSurface, CRect(rcText.left + rcBefore.Width(), y, rcText.left + rcThrough.Width(), y + 1), crText);
}

} // namespace

UINT AfxTrackSystemMenu(CUiTopWindow* pOwner, HMENU hMenu, CPoint ptScreen)
{
    if (!pOwner || !hMenu || hMenu->items.empty())
        return 0;
    CSysMenuPopup popup(pOwner, hMenu);
    return popup.Track(ptScreen);
}
