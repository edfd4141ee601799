// Menus: a list of items, each a string with a command identifier or a
// separator. A window's system menu is one (CWnd::GetSystemMenu); it starts
// with the standard Close item and takes appended items. SDL cannot reach
// the window manager's menu, so the window shows the system menu itself as a
// small popup (SysMenuPopup.h). No SDL here.
//
// An item may carry a check mark (MF_CHECKED), drawn in the margin left of
// its text.
//
// Left out: menu bars, submenus, radio marks, bitmaps, inserting and
// removing items.
#pragma once

#include "platform/core/String.h"
#include "platform/ui/window/WinUser.h"

struct MENUDATA;
typedef MENUDATA* HMENU;
typedef uintptr_t UINT_PTR;

class CMenu {
public:
    CMenu() = default;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    // The CMenu of a menu handle; it lives as long as the menu. nullptr for null.
    static CMenu* FromHandle(HMENU hMenu);

    // Appends a separator (MF_SEPARATOR) or a string item (MF_STRING) with
    // command nIDNewItem, MF_CHECKED to start with a check mark. "&" marks
    // the next letter as the item's access key.
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, const char* lpszNewItem = nullptr);
    int GetMenuItemCount() const;
    // The command of the item at nPos: 0 for a separator, 0xFFFFFFFF for none.
    UINT GetMenuItemID(int nPos) const;
    // The item's text into rString; its length, 0 when there is no such item.
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    // The item's flags (MF_SEPARATOR, MF_GRAYED, MF_CHECKED), 0xFFFFFFFF when there is none.
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    // Sets or clears the item's check mark (nCheck: MF_CHECKED or
    // MF_UNCHECKED, with MF_BYCOMMAND or MF_BYPOSITION); the previous state,
    // 0xFFFFFFFF when there is no such item.
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);

    HMENU m_hMenu = nullptr;
};

// The standard Close item of a system menu.
constexpr const char* kSysMenuCloseText = "閉じる(&C)";
