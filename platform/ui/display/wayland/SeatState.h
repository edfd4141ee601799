// Inside platform/ui: a piece of the seat's work kept apart from the
// protocol, so that it is tested alone: one pointer frame's wheel movement
// in notches, discrete steps (whole or in 120ths) where the wheel has them,
// else smooth movement at ten units a step; positive away from the user.
#pragma once

#include <cstdint>

#include "platform/core/Types.h"

class CWheelFrame {
public:
    void AddDiscrete(int32_t nSteps) { m_nDiscrete += nSteps; }
    // A high-resolution wheel's movement, 120 a step (a seat of version 8 or later).
    void AddValue120(int32_t nValue) { m_nValue120 += nValue; }
    void AddAxis(double dValue) { m_dAxis += dValue; }
    // The frame's steps (0 when the wheel did not move); the frame is then empty.
    float Take();

private:
    int32_t m_nDiscrete = 0;
    int32_t m_nValue120 = 0;
    double m_dAxis = 0;
};
