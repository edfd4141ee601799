#include "platform/ui/display/wayland/SeatState.h"

namespace {

// A touchpad's smooth scrolling: this many units make one wheel step.
constexpr double kAxisUnitsPerStep = 10.0;

} // namespace

void CKeyRepeat::SetRate(int32_t nRate, int32_t nDelay)
{
    m_nRate = nRate > 0 ? nRate : 0;
    m_nDelay = nDelay > 0 ? nDelay : 0;
    if (m_nRate == 0)
        Stop();
}

void CKeyRepeat::OnKey(uint32_t nKey, BOOL bDown, BOOL bRepeats, ULONGLONG now)
{
    if (bDown && bRepeats && m_nRate > 0) {
        m_nKey = nKey;
        m_next = now + ULONGLONG(m_nDelay);
    } else if (!bDown && nKey == m_nKey) {
        // A modifier pressed meanwhile leaves the repeat going, as X11's does.
        Stop();
    }
}

uint32_t CKeyRepeat::TakeDue(ULONGLONG now)
{
    if (!m_nKey || now < m_next)
        return 0;
    const ULONGLONG period = m_nRate >= 1000 ? 1 : ULONGLONG(1000 / m_nRate);
    m_next = now + period;
    return m_nKey;
}

int CKeyRepeat::GetDelay(ULONGLONG now) const
{
    if (!m_nKey)
        return -1;
    return now >= m_next ? 0 : int(m_next - now);
}

float CWheelFrame::Take()
{
    // Wayland counts down the screen; SDL, and the window layer, away from the user.
    constexpr float kValue120PerStep = 120;
    const float fSteps = m_nDiscrete     ? float(-m_nDiscrete)
                         : m_nValue120 ? -float(m_nValue120) / kValue120PerStep
                                       : float(-m_dAxis / kAxisUnitsPerStep);
    m_nDiscrete = 0;
    m_nValue120 = 0;
    m_dAxis = 0;
    return fSteps;
}
