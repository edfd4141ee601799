// Inside platform/ui: a top-level window's input (Input.h) as the messages
// of its CWnd: the mouse in client coordinates, the wheel in whole notches
// of 120 (a touchpad's fractions add up to notches), keys as key messages,
// with Alt as WM_SYSKEYDOWN and the modifiers as GetKeyState tells them. A
// push button the left button goes down on keeps the mouse until it is
// released, and sends its command when that is over it; the rest of a click
// is the window's. Window thread only.
#pragma once

#include "platform/core/Rect.h"
#include "platform/ui/display/Input.h"

class CUiTopWindow;
class CUiControl;

class CWindowInput {
public:
    explicit CWindowInput(CUiTopWindow* pWindow) : m_pWindow(pWindow) {}

    void OnInput(const AFX_INPUT& input);
    // Whether pControl shows pressed: the left button went down on it and
    // the pointer is over it.
    BOOL ShowsPressed(const CUiControl* pControl) const;
    // The window closed: nothing is pressed.
    void Reset() { m_pPressed = nullptr; }

private:
    void OnMouseButton(const AFX_INPUT& input);
    void OnMouseWheel(const AFX_INPUT& input);
    void OnKey(const AFX_INPUT& input);
    // The push button at pt that takes clicks, or nullptr.
    CUiControl* ControlAt(CPoint pt) const;

    CUiTopWindow* m_pWindow;
    CUiControl* m_pPressed = nullptr; // the push button the left button went down on
    CPoint m_ptMouse;
    float m_fWheel = 0; // wheel movement short of a whole notch, in notches
};
