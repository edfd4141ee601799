// CWnd's base: a window object and the handle of the real window behind it.
// A default-constructed CWnd has no window and ignores these calls, so code
// that only asks its owner for repaints (the game thread) needs no display.
// platform/ui gives a CWnd its real window by setting m_hWnd.
//
// Messages reach a CWnd through WindowProc, which looks them up in the class's
// message map (platform/ui/window/MessageMap.h) and passes what no entry takes to
// DefWindowProc. The operations below that need a real window (rectangles,
// timers, focus, the system menu) are defined by platform/ui; a CWnd without
// a window gets empty results from them.
#pragma once

#include "platform/core/Message.h"
#include "platform/core/Rect.h"
#include "platform/core/String.h"

class CWnd;
class CMenu;
struct AFX_MSGMAP;

typedef uintptr_t UINT_PTR;
typedef RECT* LPRECT;
typedef POINT* LPPOINT;

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

// The framework's command target: an object with a message map.
class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Routes command nID with notification nCode through the message map;
    // TRUE when a handler took it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

    // The map of this class; each map links to its base class's map.
    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_MSGMAP* GetThisMessageMap();
};

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override = default;

    HWND GetSafeHwnd() const { return m_hWnd; }
    BOOL InvalidateRect(const RECT* lpRect = nullptr, BOOL bErase = TRUE);
    CWnd* GetDlgItem(int nID) const;
    BOOL EnableWindow(BOOL bEnable = TRUE);

    // Message handling. SendMessage hands the message to WindowProc at once,
    // on the calling thread (the window's own).
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Default processing of the message being handled.
    LRESULT Default();
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

    // Geometry, in pixels. Window rectangles are in screen coordinates.
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;

    // State.
    BOOL IsIconic() const;
    BOOL IsWindowVisible() const;
    BOOL IsWindowEnabled() const;
    int GetDlgCtrlID() const;
    void GetWindowText(CString& rString) const;
    CWnd* GetParent() const;
    // Paints now when a repaint is pending.
    void UpdateWindow();

    // A periodic WM_TIMER with identifier nIDEvent every nElapse ms; there
    // are no timer callbacks, so lpfnTimer must be null. Non-zero when the
    // timer is set, 0 without a window. Setting an identifier again restarts it.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void* lpfnTimer);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // Keyboard focus inside the program: it never raises a window or takes
    // the focus from another program. Returns the window that had it.
    CWnd* SetFocus();
    static CWnd* GetFocus();

    // The window's own system menu (bRevert TRUE puts the standard one back
    // and returns nullptr).
    CMenu* GetSystemMenu(BOOL bRevert) const;

    HWND m_hWnd = nullptr;

protected:
    // Looks the message up in the message maps; FALSE when no entry takes it.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

private:
    // The message that WindowProc is handling, for Default().
    MSG m_msgCur = {nullptr, 0, 0, 0};
};

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase);
