// The system menu as the program shows it: SDL cannot reach the window
// manager's menu, and a Wayland client cannot place a window of its own at
// the pointer, so the popup is drawn inside its owner's window (on a
// right-button release in the client area, or Alt+Space), at the pointer and
// kept inside the window near an edge, listing the menu's items, each with
// its access key underlined. Moving the mouse highlights an item; releasing a
// button on it, pressing Enter on the highlighted one or pressing an item's
// access key chooses it. Escape, or a click anywhere else in the program's
// windows, closes the popup without a choice. While it is open it is the
// modal window: the owner still paints and gets its timers.
//
// Left out: submenus, disabled items, a popup larger than its owner, and
// closing on a click outside the program's windows (there is no pointer grab).
#pragma once

#include "platform/core/Rect.h"
#include "platform/ui/window/Menu.h"

class CUiTopWindow;

// Shows hMenu at ptClient in pOwner and runs until it closes; the command
// chosen, or 0 when none was.
UINT AfxTrackSystemMenu(CUiTopWindow* pOwner, HMENU hMenu, CPoint ptClient);
