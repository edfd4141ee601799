// CPaintDC: the device context of one paint of a window, made in its
// WM_PAINT handler. Constructing it takes the window's pending repaint and,
// when that asked for it, has the background erased (WM_ERASEBKGND); it then
// draws straight into the window's surface. Destroying it draws the window's
// visible controls and presents the surface once. Without a live, shown
// window it has no DC and drawing does nothing. It draws at the window's
// device scale (CUiTopWindow::GetScale); rcPaint and all drawing stay logical.
//
// Left out: update regions (the whole client area is painted every time,
// unless the handler finds it unchanged: KeepsPicture).
#pragma once

#include <vector>

#include "platform/ui/window/Wnd.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/window/IconImage.h"

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    // Draws hIcon at its standard size (SM_CXICON) with its top-left corner at
    // (x, y); at a scale above 1 as pixel art.
    BOOL DrawIcon(int x, int y, HICON hIcon);
    // The handler describes what it would draw in key (equal keys, equal
    // pictures): TRUE when the window shows that picture already and has
    // lost nothing of it since, so that the handler draws nothing and the
    // paint presents nothing. An expose, a showing, a scale change, an
    // erased background or an overlay always answers FALSE.
    BOOL KeepsPicture(const std::vector<int>& key);

    PAINTSTRUCT m_ps;

protected:
    CWnd* m_pWnd;
};
