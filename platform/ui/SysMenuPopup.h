// The system menu as the program shows it: SDL cannot reach the window
// manager's menu, so the window opens its own small popup window (on a
// right-button release in the client area, or Alt+Space) listing the menu's
// items, each with its access key underlined. Moving the mouse highlights an
// item; releasing a button on it, pressing Enter on the highlighted one or
// pressing an item's access key chooses it. Escape, or a click in another of
// the program's windows, closes the popup without a choice. While it is open
// it is the modal window: the owner still paints and gets its timers.
//
// Left out: submenus, disabled items, and closing on a click outside the
// program's windows (there is no pointer grab).
#pragma once

#include "platform/core/Rect.h"
#include "platform/ui/Menu.h"

class CUiTopWindow;

// Shows hMenu at ptScreen for pOwner and runs until it closes; the command
// chosen, or 0 when none was.
UINT AfxTrackSystemMenu(CUiTopWindow* pOwner, HMENU hMenu, CPoint ptScreen);
