#include "platform/ui/loop/PaintPacer.h"

void CPaintPacer::SetRefreshRate(UINT nHz)
{
    if (nHz == 0)
        nHz = kDefaultRefreshHz;
    // Rounded up, so that paints never come faster than the display shows them.
    m_nPeriod = (1000 + nHz - 1) / nHz;
}

BOOL CPaintPacer::Request(BOOL bErase)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (bErase)
        m_bErase = TRUE;
    const BOOL bWasClean = !m_bDirty;
    m_bDirty = TRUE;
    return bWasClean;
}

ULONGLONG CPaintPacer::NextPaintDue() const
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_bDirty)
            return kNever;
    }
    return m_bPainted ? m_lastPaint + m_nPeriod : 0;
}

BOOL CPaintPacer::Take(ULONGLONG now)
{
    m_lastPaint = now;
    m_bPainted = TRUE;
    std::lock_guard<std::mutex> lock(m_mutex);
    const BOOL bErase = m_bErase;
    m_bDirty = m_bErase = FALSE;
    return bErase;
}
