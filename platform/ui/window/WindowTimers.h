// Inside platform/ui: a window's timers. Each fires once per period, on the
// clock service's time (so tests run them on the virtual clock); a loop that
// fell behind fires a missed timer once, not in a burst.
#pragma once

#include <vector>

#include "platform/ui/window/Wnd.h"

class CWindowTimers {
public:
    static constexpr ULONGLONG kNever = ~ULONGLONG(0);

    // Replaces timer nIDEvent, if any; a period of 0 counts as 1 ms.
    void Set(UINT_PTR nIDEvent, UINT nElapse, ULONGLONG now);
    BOOL Kill(UINT_PTR nIDEvent);
    // The period of timer nIDEvent in ms, 0 when there is no such timer.
    UINT GetElapse(UINT_PTR nIDEvent) const;
    // When the next timer is due, or kNever.
    ULONGLONG NextDue() const;
    // The first timer due at now, moved on to its next period; FALSE when none is due.
    BOOL TakeDue(ULONGLONG now, UINT_PTR* pnIDEvent);

private:
    struct TIMER {
        UINT_PTR nIDEvent;
        UINT nElapse;
        ULONGLONG due;
    };
    std::vector<TIMER> m_timers;
};
