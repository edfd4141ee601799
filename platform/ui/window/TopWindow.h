// Inside platform/ui: a top-level window of the program on an SDL window,
// with a fixed client size, the child controls of its dialog, its timers, its
// system menu and its icons. Its work is split by responsibility:
//   TopWindow.cpp       making, showing and destroying it; its scale, place,
//                       keyboard focus and timers
//   WindowControls.cpp  its child controls, and whether it takes input now
//   WindowDefault.cpp   default message processing: the system menu, icons,
//                       painting and erasing when the CWnd does not
//   WindowInput.cpp     SDL's input as the CWnd's messages (mouse in client
//                       coordinates, the wheel in whole notches of 120, keys
//                       as virtual keys)
//   WindowPaint.cpp     WM_PAINT into the window's surface, presented once
//                       at the end of each paint, paced by CPaintPacer, only
//                       the changed part (CFrameDiff)
// The message loop knows it only as a CLoopWindow, with which it registers
// itself when made.
//
// Repaint requests (Invalidate) come from any thread: they mark the window
// and wake the message loop, and requests made before the next paint merge
// into one, which erases the background when any of them asked to. The
// painted area is always the whole client area.
//
// Destroy closes the SDL window but keeps this object, which from then on
// ignores every call: a game thread that asks for a repaint at that moment
// finds a dead window, never a freed one. The owner deletes it later.
#pragma once

#include <SDL.h>

#include <memory>
#include <mutex>
#include <vector>

#include "platform/ui/dialog/Control.h"
#include "platform/ui/dialog/IconImage.h"
#include "platform/ui/dialog/MenuData.h"
#include "platform/ui/display/FrameBuffer.h"
#include "platform/ui/loop/FrameDiff.h"
#include "platform/ui/loop/MessageLoop.h"
#include "platform/ui/loop/PaintPacer.h"
#include "platform/ui/dialog/UiDraw.h"
#include "platform/ui/loop/WindowTimers.h"
#include "platform/ui/window/UiWindow.h"

// Something drawn over a window's own painting (its system-menu popup), at
// the window's device scale.
class CWindowOverlay {
public:
    virtual ~CWindowOverlay() = default;
    virtual void Draw(SDL_Surface* pSurface, int nScale) = 0;
};

class CUiTopWindow : public CUiWindow, public CLoopWindow {
public:
    // A hidden window for pWnd with a client area of cx x cy pixels and the
    // given style and caption; nullptr when SDL cannot make one.
    static std::unique_ptr<CUiTopWindow> Create(CWnd* pWnd, const char* pszCaption, int cx, int cy, DWORD dwStyle,
                                                const UIFONT& font, BOOL bInTaskbar);
    ~CUiTopWindow() override;

    void Destroy();
    BOOL IsAlive() const;
    // Shows the window centred over pOwner (or the screen) and asks for a
    // first paint. pOwner also becomes the window the window manager keeps it above.
    void Show(CUiTopWindow* pOwner);
    CUiControl* AddControl(std::unique_ptr<CUiControl> pControl);
    const std::vector<std::unique_ptr<CUiControl>>& GetControls() const { return m_controls; }
    CUiControl* FindControl(int nID) const;
    // The identifier of the default push button, IDOK when there is none.
    int GetDefaultButtonID() const;
    // Whether input may reach it now: no other window is modal.
    BOOL TakesInput() const;

    // CWindowHandle.
    void Invalidate(const RECT* lpRect, BOOL bErase) override;
    CWnd* GetDlgItem(int nID) override;
    // CUiWindow.
    CUiTopWindow* GetTopWindow() override { return this; }
    CRect GetClientScreenRect() const override;
    CRect GetWindowScreenRect() const override;
    BOOL IsIconic() const override;
    LRESULT DefaultProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    // CLoopWindow.
    Uint32 GetWindowID() const override { return m_nWindowID; }
    void OnInput(const SDL_Event& event) override;
    void OnWindowEvent(const SDL_WindowEvent& event) override;
    BOOL PaintPending() override;
    ULONGLONG NextPaintDue() const override;
    ULONGLONG NextTimerDue() const override;
    BOOL FireDueTimer(ULONGLONG now) override;
    void OnQuit() override;

    // Painting, for CPaintDC: BeginPaint takes the pending repaint (there may
    // be none) and tells whether the background is to be erased; the surface
    // is then the window's, until EndPaint draws the visible controls over it
    // and presents it. Without a live, shown window the surface is null.
    SDL_Surface* BeginPaint(BOOL* pbErase);
    void EndPaint();
    void FillBackground();
    BOOL IsPainting() const { return m_bPainting; }
    // The device scale (DeviceScale.h): the client is GetScale() times its
    // size in pixels, and everything else keeps logical (1x) coordinates.
    int GetScale() const { return m_nScale; }
    // A point in the window's own coordinates (SDL's events) as a client point.
    CPoint ClientPoint(int x, int y) const;
    // The surface a paint draws into while one is open, else nullptr.
    SDL_Surface* GetPaintSurface() const { return m_pPaintSurface; }
    // Drawn over every paint until set back to nullptr; window thread only.
    void SetOverlay(CWindowOverlay* pOverlay);

    // Timers: one WM_TIMER per period, none while a handler has not returned.
    void SetTimer(UINT_PTR nIDEvent, UINT nElapse);
    BOOL KillTimer(UINT_PTR nIDEvent);
    // The period of timer nIDEvent in ms, 0 when there is no such timer.
    UINT GetTimerElapse(UINT_PTR nIDEvent) const;

    // The system menu, made on first use; nullptr when the window has none.
    HMENU GetSystemMenu(BOOL bRevert);
    HICON GetIcon(BOOL bBig) const { return bBig ? m_hIconBig : m_hIconSmall; }

    // The window system's keyboard focus: whether this window has it, and
    // taking it back for this window (only ever from another of our windows).
    BOOL HasKeyboardFocus() const;
    void TakeKeyboardFocus();

    const UIFONT& GetFont() const { return m_font; }
    SDL_Window* GetSdlWindow() const { return m_pWindow; }

private:
    CUiTopWindow(CWnd* pWnd, SDL_Window* pWindow, DWORD dwStyle, const char* pszCaption, const UIFONT& font, int cx,
                 int cy);
    // Chooses the scale and sizes the window for it; TRUE when anything changed.
    BOOL ApplyScale();
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void OnMouseButton(const SDL_MouseButtonEvent& event);
    void OnMouseWheel(const SDL_MouseWheelEvent& event);
    void OnKey(const SDL_KeyboardEvent& event);
    CUiControl* ControlAt(CPoint pt) const;
    void ShowSystemMenu(CWnd* pWnd, CPoint ptClient);
    LRESULT SetIcon(WPARAM nType, HICON hIcon);
    void Present();
    void NoteRefreshRate();

    SDL_Window* m_pWindow;
    Uint32 m_nWindowID;
    std::unique_ptr<CFrameBuffer> m_pFrameBuffer;
    int m_nScale = 1;
    int m_nBacking = 1; // pixels per window coordinate: a Wayland output's scale, else 1
    UIFONT m_font;
    int m_cxClient; // the client size in logical pixels
    int m_cyClient;
    std::vector<std::unique_ptr<CUiControl>> m_controls;

    mutable std::mutex m_mutex; // guards m_bAlive, which any thread reads
    BOOL m_bAlive = TRUE;
    CPaintPacer m_pacer; // requests from any thread; its own lock

    // Window thread only.
    BOOL m_bShown = FALSE;
    BOOL m_bPainting = FALSE;
    SDL_Surface* m_pPaintSurface = nullptr;
    unsigned m_nPaintCount = 0;
    CFrameDiff m_frameDiff;
    CWindowOverlay* m_pOverlay = nullptr;
    CWindowTimers m_timers;
    std::unique_ptr<MENUDATA> m_pSysMenu;
    HICON m_hIconBig = nullptr;
    HICON m_hIconSmall = nullptr;
    CUiControl* m_pPressed = nullptr; // the push button the left button went down on
    CPoint m_ptMouse;
    float m_fWheel = 0; // wheel movement short of a whole notch, in WHEEL_DELTA units
};

// Whether any window of the program has the window system's keyboard focus,
// as far as the events handled so far tell.
BOOL AfxAnyWindowHasKeyboardFocus();

