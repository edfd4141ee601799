// Inside platform/ui: whether an input is the player's hand on the mouse or
// the keys, which takes the lead from a controller. A window opening or
// closing under a still pointer makes a motion of its own; only a move within
// the same window counts.
#pragma once

#include <cstdint>

#include "platform/core/Types.h"
#include "platform/ui/display/Input.h"

class CHandsOn {
public:
    // Window thread only.
    BOOL IsHandsOn(const AFX_INPUT& input);

private:
    uint32_t m_nMotionWindow = 0; // where the pointer moved last, and to where
    int m_xMotion = 0;
    int m_yMotion = 0;
};
