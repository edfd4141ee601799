// Inside platform/ui: the one message loop of the window thread, which modal
// loops (dialogs, the system menu) run turn by turn.
//
// A turn handles one thing, in the platform's order: an input event, else a
// pending repaint, else a due timer. When there is nothing, the loop sleeps
// until input arrives, a repaint is asked for or the next timer is due: it
// blocks in poll() on the X connection's descriptor and a wake-up descriptor
// of its own (an eventfd), with the next timer as the time-out, and never
// polls. Repaint requests from other threads write the eventfd. It never
// blocks in SDL_WaitEvent and never pushes SDL events from another thread:
// SDL 2.26 wakes such a wait through a message to one of its windows, and a
// window destroyed at that moment ends the process with an X error.
// Under SDL's dummy driver there is no X connection and the wait is for the
// eventfd and the next timer only.
//
// Events go by window id. While a modal window runs (the About box, the
// system menu), only it takes input; the others still paint and get timers.
// Keys go to the modal window whatever window id SDL gives them: with no
// window manager the id may be 0.
//
// Left out: posted message queues (handlers call each other directly).
#pragma once

#include <SDL.h>

#include <atomic>
#include <functional>
#include <vector>

#include "platform/core/Types.h"

// What the loop asks of a top-level window.
class CLoopWindow {
public:
    virtual ~CLoopWindow() = default;
    virtual Uint32 GetWindowID() const = 0;
    virtual SDL_Window* GetSdlWindow() const = 0;
    // Mouse and keyboard input for this window, which may take input now.
    virtual void OnInput(const SDL_Event& event) = 0;
    // Input for another window while this one is the modal window.
    virtual void OnInputElsewhere(const SDL_Event&) {}
    // Window events: exposure, the close button, minimising.
    virtual void OnWindowEvent(const SDL_WindowEvent& event) = 0;
    // Paints when a repaint is pending; TRUE if it painted.
    virtual BOOL PaintPending() = 0;
    // The time the next timer is due (the clock's milliseconds), or kNever.
    virtual ULONGLONG NextTimerDue() const = 0;
    // Fires one timer that is due at now; TRUE if one fired.
    virtual BOOL FireDueTimer(ULONGLONG now) = 0;
    // The program is asked to end (SDL_QUIT): a modal window ends its loop.
    virtual void OnQuit() {}

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

    // One turn; TRUE when it handled something. With nothing to do and bWait
    // TRUE, it waits (or calls the idle hook, when one is set) and returns FALSE.
    BOOL PumpOnce(BOOL bWait);
    // Ends the current or next wait; any thread.
    void Wake();

    // A function that the loop calls instead of waiting (tests drive the loop
    // with it); an empty function puts the wait back.
    void SetIdleHook(std::function<void()> hook);

private:
    CMessageLoop();
    CLoopWindow* FindWindow(Uint32 nWindowID) const;
    BOOL DispatchInput();
    void Route(const SDL_Event& event);
    void RouteInput(Uint32 nWindowID, const SDL_Event& event, BOOL bKeyboard);
    BOOL PaintOne();
    BOOL FireOneTimer();
    ULONGLONG NextTimerDue() const;
    void Wait();
    void DrainWake();

    std::vector<CLoopWindow*> m_windows; // window thread only
    std::vector<CLoopWindow*> m_modal;   // window thread only; the last is the modal window
    std::function<void()> m_idleHook;    // window thread only
    std::atomic<int> m_wakeFd;           // created once, never closed; written by any thread
};
