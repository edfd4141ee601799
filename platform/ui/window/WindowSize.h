// Fullscreen and zoom of one of the program's top-level windows, for its
// keys and menu items (CUiTopWindow does the work: TopWindow.h). Window
// thread. A CWnd without a window of its own does nothing and answers FALSE.
#pragma once

#include "platform/ui/window/Wnd.h"

BOOL AfxIsFullscreen(CWnd* pWnd);
void AfxSetFullscreen(CWnd* pWnd, BOOL bFullscreen);
// Steps the zoom: nStep +1 one whole scale up, -1 one down (from the scale
// the window has now, within 1 .. the largest whose window fits the work
// area), 0 back to the automatic scale. TRUE when the zoom changed, with
// *pnZoom the zoom to keep (0 for automatic). Nothing while fullscreen.
BOOL AfxStepWindowZoom(CWnd* pWnd, int nStep, int* pnZoom);
// The zoom kept from an earlier run (0 for automatic); QUINDLE_SCALE wins
// over it. A value that is no zoom is said once on stderr and ignored.
void AfxSetKeptWindowZoom(CWnd* pWnd, int nZoom);
