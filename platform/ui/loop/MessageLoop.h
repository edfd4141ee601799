// Inside platform/ui: the one message loop of the window thread, which modal
// loops (dialogs, the system menu) run turn by turn.
//
// A turn handles one thing, in the platform's order: an input event, else a
// repaint that is due, else a due timer. When there is nothing, the loop
// sleeps until input arrives, a repaint is asked for or the next timer or
// paced repaint is due: it blocks in poll() on the display connection's
// descriptor (CDisplaySystem, which also does what its protocol needs before
// sleeping) and a wake-up descriptor of its own (an eventfd), with the next
// due time as the time-out, and never polls. Repaint requests from other
// threads write the eventfd, which is safe from any thread: a write to a
// counter the loop only reads. It never blocks in SDL_WaitEvent and never
// pushes SDL events from another thread: SDL 2.26 wakes such a wait through
// a message to one of its windows, and a window destroyed at that moment
// ends the process with an X error. Under SDL's dummy driver there is no
// connection and the wait is for the eventfd and the next due time only.
// The display is read once after each wait. When the last read brought
// pointer motion only and a paced repaint is pending, the next wait leaves
// the display out until that repaint is due: a fast mouse then costs one
// read and one paint a frame, not a wake-up an event.
//
// Events go by window id. While a modal window runs (the About box, the
// system menu), only it takes input; the others still paint and get timers.
// Keys go to the modal window whatever window id SDL gives them: with no
// window manager the id may be 0.
//
// Input comes from the input queue (Input.h), which the display system and
// the game controllers (CGamepadSource) fill as they are read. Held keys
// that nobody else repeats (Wayland's, a controller's steering) repeat here
// (CKeyRepeat), as due times of the loop's own.
//
// Game controllers carry no window id: their input goes to the modal
// window, else to the window with the keyboard focus, and nowhere while the
// focus is with another program. The loop knows the focus from
// the focus events its windows get. The mouse or the keyboard used (a key
// or button pressed, the wheel turned, the pointer moved inside a window)
// takes the program back from a controller; a pointer's first motion in a
// window does not, as a window opening or closing under a pointer at rest
// makes one.
//
// Left out: posted message queues (handlers call each other directly).
#pragma once

#include <poll.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "platform/core/Types.h"
#include "platform/ui/display/Input.h"
#include "platform/ui/loop/HandsOn.h"
#include "platform/ui/loop/KeyRepeat.h"

// What the loop asks of a top-level window.
class CLoopWindow {
public:
    virtual ~CLoopWindow() = default;
    virtual uint32_t GetWindowID() const = 0;
    // Mouse and keyboard input for this window, which may take input now; a
    // game controller's buttons come as keys (VK_GAMEPAD_*).
    virtual void OnInput(const AFX_INPUT& input) = 0;
    // Input for another window while this one is the modal window.
    virtual void OnInputElsewhere(const AFX_INPUT&) {}
    // What happened to the window itself: exposure, the close button, minimising.
    virtual void OnWindowChange(EWindowChange change) = 0;
    // Paints when a repaint is pending and due; TRUE if it painted.
    virtual BOOL PaintPending() = 0;
    // When a pending repaint is due (the clock's milliseconds), or kNever.
    virtual ULONGLONG NextPaintDue() const { return kNever; }
    // The time the next timer is due (the clock's milliseconds), or kNever.
    virtual ULONGLONG NextTimerDue() const = 0;
    // Fires one timer that is due at now; TRUE if one fired.
    virtual BOOL FireDueTimer(ULONGLONG now) = 0;
    // The program is asked to end (SIGINT, SIGTERM): a modal window ends its loop.
    virtual void OnQuit() {}
    // A game controller was unplugged; every window hears of it.
    virtual void OnPadRemoved() {}
    // A controller began or stopped driving (CGamepadSource::GetFamilyInCharge);
    // every window hears of it, as what it shows may change.
    virtual void OnPadChargeChanged() {}

    static constexpr ULONGLONG kNever = ~ULONGLONG(0);
};

class CMessageLoop {
public:
    static CMessageLoop& Get();

    void AddWindow(CLoopWindow* pWindow);
    void RemoveWindow(CLoopWindow* pWindow);
    void BeginModal(CLoopWindow* pWindow);
    void EndModal(CLoopWindow* pWindow);
    CLoopWindow* GetModalWindow() const;
    // The window with the window system's keyboard focus, as its focus events
    // told, or nullptr; SetFocusWindow moves it inside the program (a modal
    // dialog that had it handing it back to its owner as it closes).
    CLoopWindow* GetFocusWindow() const { return m_pFocus; }
    void SetFocusWindow(CLoopWindow* pWindow) { m_pFocus = pWindow; }

    // One turn; TRUE when it handled something. With nothing to do and bWait
    // TRUE, it waits (or calls the idle hook, when one is set) and returns FALSE.
    BOOL PumpOnce(BOOL bWait);
    // When the next paced repaint of any window is due, or kNever.
    ULONGLONG NextPaintDue() const;
    // Ends the current or next wait; any thread.
    void Wake();

    // A function that the loop calls instead of waiting (tests drive the loop
    // with it); an empty function puts the wait back.
    void SetIdleHook(std::function<void()> hook);
    // What the wait sleeps in (poll(2) unless a test puts its own); an empty
    // function puts poll back.
    using PollFunction = std::function<int(pollfd*, nfds_t, int)>;
    void SetPollFunction(PollFunction poll);

private:
    CMessageLoop();
    CLoopWindow* FindWindow(uint32_t nWindowID) const;
    BOOL DispatchInput();
    // SDL's queue into the input queue (bPump: SDL reads first); TRUE when input waits.
    BOOL ReadInput(BOOL bPump);
    void StartControllers();
    void Route(const AFX_INPUT& input);
    void RouteInput(const AFX_INPUT& input, BOOL bKeyboard);
    void RouteKey(const AFX_INPUT& input);
    void RouteWindowChange(const AFX_INPUT& input);
    // Every window hears of it; one may go while it does.
    void TellAll(void (CLoopWindow::*pTell)());
    BOOL FireRepeat(ULONGLONG now);
    // The window a game controller's input goes to: none without the focus.
    CLoopWindow* PadTarget() const;
    BOOL PaintOne();
    BOOL FireOneTimer();
    ULONGLONG NextDue() const;
    void Wait();
    void DrainWake();

    const std::thread::id m_windowThread; // the thread that made the loop and runs it
    std::vector<CLoopWindow*> m_windows; // window thread only
    std::vector<CLoopWindow*> m_modal;   // window thread only; the last is the modal window
    CLoopWindow* m_pFocus = nullptr;     // window thread only
    std::function<void()> m_idleHook;    // window thread only
    std::atomic<int> m_wakeFd;           // created once, never closed; written by any thread
    PollFunction m_poll;                 // window thread only
    BOOL m_bReadDue = TRUE;              // window thread only: a wait ended since the display was read
    BOOL m_bMotionRead = FALSE;          // window thread only: since the last wait, pointer motion came,
    BOOL m_bOtherRead = FALSE;           // ... and other events
    CHandsOn m_handsOn;                  // window thread only: the mouse or the keys take the lead
    CKeyRepeat m_repeat;                 // window thread only
};
