// CWnd's base: a window object and the handle of the real window behind it.
// A default-constructed CWnd has no window and ignores these calls, so code
// that only asks its owner for repaints (the game thread) needs no display.
// platform/ui gives a CWnd its real window by setting m_hWnd.
#pragma once

#include "platform/core/Message.h"
#include "platform/core/Rect.h"

class CWnd;

// What a real window offers its CWnd. Implemented by platform/ui on SDL, and
// by tests that want to observe the calls.
struct CWindowHandle {
    virtual ~CWindowHandle() = default;
    // Asks for a repaint of lpRect (nullptr: the whole client area); callable
    // from any thread, returns at once, and pending requests merge.
    virtual void Invalidate(const RECT* lpRect, BOOL bErase) = 0;
    // The child control with identifier nID, or nullptr.
    virtual CWnd* GetDlgItem(int nID) = 0;
    // Enables or disables this window for input; returns TRUE if it was disabled.
    virtual BOOL EnableWindow(BOOL bEnable) = 0;
};

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd() = default;

    HWND GetSafeHwnd() const { return m_hWnd; }
    BOOL InvalidateRect(const RECT* lpRect = nullptr, BOOL bErase = TRUE);
    CWnd* GetDlgItem(int nID) const;
    BOOL EnableWindow(BOOL bEnable = TRUE);

    HWND m_hWnd = nullptr;
};

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase);
