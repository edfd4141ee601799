// Inside platform/ui: a child control of a dialog, made from a template item
// at its pixel rectangle. Hidden or disabled controls are never drawn and
// never take input. Of the visible ones, a static shows its text or icon and
// lets clicks through to the dialog; a push button draws itself (the default
// one with a dark outer frame), and a left click released on it sends
// WM_COMMAND with BN_CLICKED to the dialog.
//
// Left out: edit boxes, check boxes, keyboard focus rectangles, notification
// messages other than BN_CLICKED, static frames and borders.
#pragma once

#include <SDL.h>

#include "platform/ui/window/DlgTemplate.h"
#include "platform/ui/window/UiDraw.h"
#include "platform/ui/window/UiWindow.h"

class CUiControl : public CUiWindow {
public:
    CUiControl(CUiTopWindow* pParent, const DLGITEMDATA& item, const CRect& rc);

    // CWindowHandle: a control repaints with its dialog.
    void Invalidate(const RECT* lpRect, BOOL bErase) override;
    BOOL EnableWindow(BOOL bEnable) override;
    // CUiWindow.
    CUiTopWindow* GetTopWindow() override { return m_pParent; }
    CRect GetClientScreenRect() const override;

    BOOL IsPushButton() const;
    BOOL IsDefPushButton() const;
    // Visible and enabled: it may take input.
    BOOL TakesInput() const;
    // Draws the control when it is visible; bPressed shows a button pushed in.
    // nScale is the surface's device scale (m_rc stays in logical pixels).
    void Draw(SDL_Surface* pSurface, const UIFONT& font, BOOL bPressed, int nScale = 1) const;

    CRect m_rc; // in the dialog's client coordinates
    WORD m_wClass;
    UINT m_nResourceID;
    CWnd m_wnd; // what GetDlgItem hands out

private:
    void DrawButton(SDL_Surface* pSurface, const UIFONT& font, BOOL bPressed, int nScale) const;
    void DrawStatic(SDL_Surface* pSurface, const UIFONT& font, int nScale) const;

    CUiTopWindow* m_pParent;
};
