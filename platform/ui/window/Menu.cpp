#include "platform/ui/window/MenuData.h"

#include <cctype>

namespace {

constexpr UINT kNoItem = 0xFFFFFFFF;

const MENUITEM* FindItem(HMENU hMenu, UINT nIDItem, UINT nFlags)
{
    if (!hMenu)
        return nullptr;
    if (nFlags & MF_BYPOSITION)
        return nIDItem < hMenu->items.size() ? &hMenu->items[nIDItem] : nullptr;
    for (const MENUITEM& item : hMenu->items) {
        if (!(item.nFlags & MF_SEPARATOR) && item.nID == nIDItem)
            return &item;
    }
    return nullptr;
}

} // namespace

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    return hMenu ? &hMenu->wrapper : nullptr;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const char* lpszNewItem)
{
    if (!m_hMenu)
        return FALSE;
    if (nFlags & MF_SEPARATOR)
        m_hMenu->items.push_back(MENUITEM{nFlags, 0, CString()});
    else
        m_hMenu->items.push_back(MENUITEM{nFlags, UINT(nIDNewItem), CString(lpszNewItem)});
    return TRUE;
}

int CMenu::GetMenuItemCount() const
{
    return m_hMenu ? int(m_hMenu->items.size()) : -1;
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    const MENUITEM* pItem = nPos >= 0 ? FindItem(m_hMenu, UINT(nPos), MF_BYPOSITION) : nullptr;
    return pItem ? pItem->nID : kNoItem;
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    const MENUITEM* pItem = FindItem(m_hMenu, nIDItem, nFlags);
    rString = pItem ? pItem->strText : CString();
    return rString.GetLength();
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    const MENUITEM* pItem = FindItem(m_hMenu, nID, nFlags);
    return pItem ? (pItem->nFlags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED | MF_CHECKED)) : kNoItem;
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    MENUITEM* pItem = const_cast<MENUITEM*>(FindItem(m_hMenu, nIDCheckItem, nCheck));
    if (!pItem || (pItem->nFlags & MF_SEPARATOR))
        return kNoItem;
    const UINT nOld = pItem->nFlags & MF_CHECKED;
    pItem->nFlags = (pItem->nFlags & ~MF_CHECKED) | (nCheck & MF_CHECKED);
    return nOld;
}

std::unique_ptr<MENUDATA> AfxCreateSystemMenu()
{
    std::unique_ptr<MENUDATA> pMenu(new MENUDATA);
    pMenu->wrapper.m_hMenu = pMenu.get();
    pMenu->wrapper.AppendMenu(MF_STRING, SC_CLOSE, kSysMenuCloseText);
    return pMenu;
}

MENUTEXT AfxParseMenuText(const CString& text)
{
    MENUTEXT result{CString(), -1, 0};
    std::string shown;
    const std::string& s = text.Str();
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '&' || i + 1 >= s.size()) {
            shown += s[i];
            continue;
        }
        ++i; // "&&" is a plain "&"; "&x" marks x
        if (s[i] != '&' && result.nKeyOffset < 0 && std::isalnum(static_cast<unsigned char>(s[i]))) {
            result.nKeyOffset = int(shown.size());
            result.chKey = char(std::toupper(static_cast<unsigned char>(s[i])));
        }
        shown += s[i];
    }
    result.strShown = CString(shown);
    return result;
}
