// The window thread's message loop as code outside a modal loop reaches it,
// and the seam through which tests drive it without a display or real time.
// No SDL here.
//
// AfxPumpMessage runs one turn of the loop: one input event, else one
// pending repaint, else one due timer. With the idle hook set, a modal loop
// calls the hook instead of waiting, so a test can inject input, move a
// virtual clock (timers run on the clock service) or end the dialog, turn by
// turn. The AfxQueue functions put input into the window system's queue as it
// would arrive from the user, so it takes the whole way through the platform
// (window ids, modal windows, translation into messages).
#pragma once

#include <poll.h>

#include <functional>
#include <vector>

#include "platform/ui/window/Wnd.h"
#include "platform/ui/display/Input.h"

// One turn; TRUE when it handled something. With nothing to do and bWait TRUE
// it waits for input, a repaint request or the next timer (or calls the hook).
BOOL AfxPumpMessage(BOOL bWait);
void AfxSetIdleHook(std::function<void()> hook);
// What the loop's wait sleeps in: poll(2), unless a test puts a function of
// its own (to see the time-out asked for, or to move a virtual clock by it);
// an empty function puts poll back.
void AfxSetWaitFunction(std::function<int(pollfd*, nfds_t, int)> poll);

// A key press (down and up) for pWnd's window; a null pWnd sends it with no
// window, as the window system does when no window has the focus. nRepeats
// auto-repeated downs come between the press and the release; bKeypad takes
// the key from the numeric keypad (VK_RETURN: the keypad's Enter).
void AfxQueueKey(CWnd* pWnd, UINT nVirtKey, BOOL bAlt = FALSE, int nRepeats = 0, BOOL bKeypad = FALSE);
// Input as a display system that reads its own connection (our Wayland
// client) puts it into the input queue, for pWnd's window.
void AfxQueueInput(CWnd* pWnd, AFX_INPUT input);
// A key pressed with Ctrl held (down and up), as AfxQueueKey.
// The keypad's keys are VK_ADD, VK_SUBTRACT and VK_NUMPAD0.
void AfxQueueCtrlKey(CWnd* pWnd, UINT nVirtKey);
// Whether the pointer shows over the program's windows.
BOOL AfxIsPointerShown();
// A mouse event at ptClient: WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP,
// WM_RBUTTONDOWN or WM_RBUTTONUP.
void AfxQueueMouse(CWnd* pWnd, UINT message, CPoint ptClient);
// Wheel movement: positive notches away from the user; fractions are precise
// (touchpad) movement. bFlipped sends it as a device with flipped (natural)
// scrolling reports it: the values opposite, the event marked flipped.
void AfxQueueWheel(CWnd* pWnd, float fNotches, CPoint ptClient, BOOL bFlipped = FALSE);
// The window manager's close button.
void AfxQueueClose(CWnd* pWnd);
// The window system's word that what pWnd's window showed was lost.
void AfxQueueExpose(CWnd* pWnd);
// pWnd's window moved to another output, or its output's scale changed.
void AfxQueueDisplayChange(CWnd* pWnd);
// pWnd's window loses the keyboard focus to another program.
void AfxQueueFocusLoss(CWnd* pWnd);
// pWnd's window gets the keyboard focus.
void AfxQueueFocusGain(CWnd* pWnd);
// The window manager minimises pWnd's window.
void AfxQueueMinimize(CWnd* pWnd);
// A request to end the program (SIGINT, SIGTERM): every modal loop ends.
void AfxQueueQuit();

// When the next paced repaint of any window is due (the clock's
// milliseconds), or ~0 when none is pending: the loop sleeps until then.
ULONGLONG AfxGetNextPaintDue();

// The period of pWnd's timer nIDEvent in ms, 0 when it has no such timer.
UINT AfxGetTimerElapse(CWnd* pWnd, UINT_PTR nIDEvent);
// How many of pWnd's paints drew and presented a picture; a paint that found
// the picture unchanged (CPaintDC::KeepsPicture) does not count.
UINT AfxGetPictureCount(CWnd* pWnd);
// The picture pWnd's window shows, in device pixels (its device scale times
// its client size), row by row; FALSE when it shows none.
BOOL AfxGetShownPicture(CWnd* pWnd, std::vector<COLORREF>* pPixels, int* pcx, int* pcy);
