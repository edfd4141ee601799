// Inside platform/ui: what its windows have in common, the program's
// top-level windows and the child controls of a dialog alike. A CWnd's m_hWnd
// points at one of these; CWnd's operations reach it through AfxUiWindow.
//
// Threads: everything here belongs to the window thread, except Invalidate,
// which a top-level window takes from any thread.
#pragma once

#include "platform/ui/window/Wnd.h"

class CUiTopWindow;

class CUiWindow : public CWindowHandle {
public:
    CUiWindow(int nID, DWORD dwStyle, CString text);

    // CWindowHandle.
    CWnd* GetDlgItem(int nID) override;
    BOOL EnableWindow(BOOL bEnable) override;

    // The top-level window this one belongs to (itself for a top-level one).
    virtual CUiTopWindow* GetTopWindow() = 0;
    // The client area in screen coordinates.
    virtual CRect GetClientScreenRect() const = 0;
    // The whole window in screen coordinates, frame included.
    virtual CRect GetWindowScreenRect() const { return GetClientScreenRect(); }
    virtual BOOL IsIconic() const { return FALSE; }
    // The window's own processing of a message that no message map took.
    virtual LRESULT DefaultProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam);

    BOOL IsVisible() const;
    BOOL IsEnabled() const;

    CWnd* m_pWnd = nullptr; // the CWnd attached to this window, if any
    CWnd* m_pParentWnd = nullptr;
    int m_nID;
    DWORD m_dwStyle;
    CString m_strText;
};

// The platform window behind hWnd, or nullptr when hWnd is null or belongs to
// someone else (a test's own handle).
CUiWindow* AfxUiWindow(HWND hWnd);
// The top-level window pWnd's platform window belongs to, or nullptr.
CUiTopWindow* AfxUiTopWindow(CWnd* pWnd);

// The window that has the program's keyboard focus, or nullptr; window thread only.
CUiWindow* AfxGetFocusWindow();
void AfxSetFocusWindow(CUiWindow* pWindow);
