// Inside platform/ui: when a window paints. Repaint requests come from any
// thread and merge until the next paint, which erases the background when
// any of them asked to. Paints are paced to the display: at most one per
// refresh period, and at once for a window that has not painted for a
// period, so that a burst of requests (a fast mouse) costs one frame and a
// lone request (a wheel notch) reaches the screen without delay.
//
// Times are the clock service's milliseconds, so tests pace on the virtual clock.
#pragma once

#include <mutex>

#include "platform/core/Types.h"

class CPaintPacer {
public:
    static constexpr ULONGLONG kNever = ~ULONGLONG(0);
    static constexpr UINT kDefaultRefreshHz = 60;

    // The refresh rate of the window's display; 0 (unknown) counts as 60 Hz.
    void SetRefreshRate(UINT nHz);
    UINT GetPeriod() const { return m_nPeriod; }

    // Any thread: asks for a paint. TRUE when the window was clean, so that
    // the caller wakes the loop once for a run of requests.
    BOOL Request(BOOL bErase);
    // Window thread: when the pending paint may happen (kNever when none is
    // pending, at most now when it may happen now).
    ULONGLONG NextPaintDue() const;
    // Window thread: takes the pending request, whether or not one is
    // pending, and notes the paint's time. Returns whether to erase.
    BOOL Take(ULONGLONG now);

private:
    mutable std::mutex m_mutex; // guards the request, written by any thread
    BOOL m_bDirty = FALSE;
    BOOL m_bErase = FALSE;

    // Window thread only.
    UINT m_nPeriod = (1000 + kDefaultRefreshHz - 1) / kDefaultRefreshHz;
    ULONGLONG m_lastPaint = 0;
    BOOL m_bPainted = FALSE;
};
