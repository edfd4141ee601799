// Inside platform/ui: a top-level window of the program on a native window
// of the display system (NativeWindow.h: SDL's on X11, our own on Wayland),
// with a fixed client size, the child controls of its dialog, its timers, its
// system menu and its icons. Its work is split by responsibility:
//   TopWindow.cpp       making, showing and destroying it; its scale, place,
//                       keyboard focus and timers; what happens to the window
//                       itself (exposure, the close button, the focus)
//   WindowControls.cpp  its child controls, and whether it takes input now
//   WindowDefault.cpp   default message processing: the system menu, icons,
//                       painting and erasing when the CWnd does not
//   CWindowInput        the display's input as the CWnd's messages (mouse
//                       in client coordinates, the wheel in whole notches of
//                       120, keys as key messages)
//   CPointerHider       the pointer hidden in fullscreen while it rests
//   CWindowPlacement    its size and place: the scale, the zoom, fullscreen,
//                       kept on its screen (WindowLayout.cpp: as the program
//                       changes them)
//   WindowPaint.cpp     WM_PAINT into the window's surface, presented once
//                       at the end of each paint, paced by CPaintPacer
//   CWindowPicture      what the window shows: only the changed part is
//                       presented, and an unchanged picture not even drawn
// The message loop knows it only as a CLoopWindow, with which it registers
// itself when made.
//
// Repaint requests (Invalidate) come from any thread: they mark the window
// and wake the message loop, and requests made before the next paint merge
// into one, which erases the background when any of them asked to. The
// painted area is always the whole client area.
//
// Destroy closes the native window but keeps this object, which from then on
// ignores every call: a game thread that asks for a repaint at that moment
// finds a dead window, never a freed one. The owner deletes it later.
#pragma once

#include <SDL.h>

#include <memory>
#include <mutex>
#include <vector>

#include "platform/ui/window/Control.h"
#include "platform/ui/window/IconImage.h"
#include "platform/ui/window/MenuData.h"
#include "platform/ui/display/FrameBuffer.h"
#include "platform/ui/display/NativeWindow.h"
#include "platform/ui/loop/MessageLoop.h"
#include "platform/ui/loop/PaintPacer.h"
#include "platform/ui/window/UiDraw.h"
#include "platform/ui/window/WindowTimers.h"
#include "platform/ui/window/PointerHider.h"
#include "platform/ui/window/UiWindow.h"
#include "platform/ui/window/WindowInput.h"
#include "platform/ui/window/WindowPicture.h"
#include "platform/ui/window/WindowPlacement.h"

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
    // given style and caption; nullptr when the display system cannot make one.
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
    uint32_t GetWindowID() const override { return m_nWindowID; }
    void OnInput(const AFX_INPUT& input) override;
    void OnWindowChange(EWindowChange change) override;
    BOOL PaintPending() override;
    ULONGLONG NextPaintDue() const override;
    ULONGLONG NextTimerDue() const override;
    BOOL FireDueTimer(ULONGLONG now) override;
    void OnQuit() override;
    void OnPadRemoved() override;
    void OnPadChargeChanged() override;

    // Painting, for CPaintDC: BeginPaint takes the pending repaint (there may
    // be none) and tells whether the background is to be erased; the surface
    // is then the window's, until EndPaint draws the visible controls over it
    // and presents it. Without a live, shown window the surface is null.
    SDL_Surface* BeginPaint(BOOL* pbErase);
    void EndPaint();
    void FillBackground();
    BOOL IsPainting() const { return m_bPainting; }
    // Whether the open paint would leave the picture as it is: its handler
    // describes what it would draw in key; TRUE when the window has lost
    // nothing since the last paint (no expose, showing, scale change, erase
    // or overlay) and key, with the controls' own state, is that paint's.
    // The paint then draws and presents nothing.
    BOOL PaintKeepsPicture(std::vector<int> key);
    // How many paints drew a picture: for tests.
    unsigned GetPictureCount() const { return m_nPictureCount; }
    // The picture the window shows, in device pixels row by row, and its
    // size: for tests. FALSE when it shows none.
    BOOL CopyShownPicture(std::vector<COLORREF>* pPixels, int* pcx, int* pcy);
    // The device scale (DeviceScale.h): the client is GetScale() times its
    // size in pixels, and everything else keeps logical (1x) coordinates.
    int GetScale() const { return m_placement.GetScale(); }
    // A point in the window's own coordinates (the input's) as a client point.
    CPoint ClientPoint(int x, int y) const;
    // A message to the CWnd attached; 0 when the window is gone.
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // The pointer moved over the window (which shows it again in fullscreen).
    void OnPointerMoved();
    // The surface a paint draws into while one is open, else nullptr.
    SDL_Surface* GetPaintSurface() const { return m_pPaintSurface; }
    // Drawn over every paint until set back to nullptr; window thread only.
    void SetOverlay(CWindowOverlay* pOverlay);

    // Size and place (WindowLayout.cpp). Fullscreen shows the picture at the
    // largest whole scale that fits the screen, centred, black around it,
    // and hides the pointer after kPointerHideMs without motion; back out of
    // it the window is as it was. The zoom is the player's whole scale, 1 ..
    // GetMaxZoom() (the largest whose window fits the work area), or 0 for
    // the automatic one; a zoom kept from an earlier run yields to
    // QUINDLE_SCALE, one chosen now does not. A window that changes size
    // stays wholly on its screen, centred again where it would leave it.
    static constexpr DWORD kPointerHideMs = CPointerHider::kHideMs;
    void SetFullscreen(BOOL bFullscreen);
    BOOL IsFullscreen() const { return m_placement.IsFullscreen(); }
    // FALSE when nZoom cannot be had (fullscreen, or out of range).
    BOOL SetZoom(int nZoom);
    void SetKeptZoom(int nZoom);
    int GetZoom() const { return m_placement.GetZoom(); }
    int GetMaxZoom() const;

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

private:
    CUiTopWindow(CWnd* pWnd, std::unique_ptr<CNativeWindow> pWindow, DWORD dwStyle, const char* pszCaption, const UIFONT& font, int cx,
                 int cy);
    // Chooses the scale and sizes the window for it; TRUE when anything changed.
    BOOL ApplyScale();
    void ShowSystemMenu(CWnd* pWnd, CPoint ptClient);
    LRESULT SetIcon(WPARAM nType, HICON hIcon);
    void Present();
    void NoteRefreshRate();
    // The label of the controller button that presses the default button,
    // beside it, while a controller drives.
    void DrawPadGlyph();

    std::unique_ptr<CNativeWindow> m_pWindow;
    uint32_t m_nWindowID;
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
    unsigned m_nPictureCount = 0;
    CWindowPicture m_picture;
    CWindowOverlay* m_pOverlay = nullptr;
    CWindowTimers m_timers;
    std::unique_ptr<MENUDATA> m_pSysMenu;
    HICON m_hIconBig = nullptr;
    HICON m_hIconSmall = nullptr;
    CWindowInput m_input{this};
    CWindowPlacement m_placement;
    SDL_Surface* m_pFrame = nullptr; // while a paint is open: the frame buffer's surface
    CPointerHider m_pointer;
};

// Whether any window of the program has the window system's keyboard focus,
// as far as the events handled so far tell.
BOOL AfxAnyWindowHasKeyboardFocus();

