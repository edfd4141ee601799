// Inside platform/ui: what a menu handle stands for.
#pragma once

#include <memory>
#include <vector>

#include "platform/ui/window/Menu.h"

struct MENUITEM {
    UINT nFlags;
    UINT nID;
    CString strText;
};

struct MENUDATA {
    std::vector<MENUITEM> items;
    CMenu wrapper; // what CMenu::FromHandle hands out
};

// A new system menu with the standard Close item.
std::unique_ptr<MENUDATA> AfxCreateSystemMenu();

// An item's text without its access-key marks, the position (in bytes) of
// its access-key letter in that text (-1 for none) and the key itself,
// upper case (0 for none).
struct MENUTEXT {
    CString strShown;
    int nKeyOffset;
    char chKey;
};
MENUTEXT AfxParseMenuText(const CString& text);
