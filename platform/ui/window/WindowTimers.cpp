#include "platform/ui/window/WindowTimers.h"

#include <algorithm>

void CWindowTimers::Set(UINT_PTR nIDEvent, UINT nElapse, ULONGLONG now)
{
    Kill(nIDEvent);
    const UINT nPeriod = std::max(nElapse, 1u);
    m_timers.push_back(TIMER{nIDEvent, nPeriod, now + nPeriod});
}

BOOL CWindowTimers::Kill(UINT_PTR nIDEvent)
{
    const auto it = std::find_if(m_timers.begin(), m_timers.end(),
                                 [nIDEvent](const TIMER& t) { return t.nIDEvent == nIDEvent; });
    if (it == m_timers.end())
        return FALSE;
    m_timers.erase(it);
    return TRUE;
}

UINT CWindowTimers::GetElapse(UINT_PTR nIDEvent) const
{
    for (const TIMER& t : m_timers) {
        if (t.nIDEvent == nIDEvent)
            return t.nElapse;
    }
    return 0;
}

ULONGLONG CWindowTimers::NextDue() const
{
    ULONGLONG due = kNever;
    for (const TIMER& t : m_timers)
        due = std::min(due, t.due);
    return due;
}

BOOL CWindowTimers::TakeDue(ULONGLONG now, UINT_PTR* pnIDEvent)
{
    for (TIMER& t : m_timers) {
        if (t.due > now)
            continue;
        t.due += t.nElapse;
        if (t.due <= now)
            t.due = now + t.nElapse;
        *pnIDEvent = t.nIDEvent;
        return TRUE;
    }
    return FALSE;
}
