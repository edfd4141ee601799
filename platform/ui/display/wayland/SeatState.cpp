#include "platform/ui/display/wayland/SeatState.h"

namespace {

// A touchpad's smooth scrolling: this many units make one wheel step.
constexpr double kAxisUnitsPerStep = 10.0;

} // namespace

float CWheelFrame::Take()
{
    // Wayland counts down the screen; the window layer away from the user.
    constexpr float kValue120PerStep = 120;
    const float fSteps = m_nDiscrete     ? float(-m_nDiscrete)
                         : m_nValue120 ? -float(m_nValue120) / kValue120PerStep
                                       : float(-m_dAxis / kAxisUnitsPerStep);
    m_nDiscrete = 0;
    m_nValue120 = 0;
    m_dAxis = 0;
    return fSteps;
}
