// Inside platform/ui: the left stick's vertical axis as a pair of keys:
// past half its travel a direction is held, and it lets go only once back
// under a quarter, so a stick resting near the middle of its travel neither
// steers nor chatters. No SDL here.
#pragma once

#include "platform/core/Types.h"

// The left stick's vertical axis as a held direction: -1 up, 0 none, +1 down.
class CStickKeys {
public:
    static constexpr int kPress = 16384;  // half the travel
    static constexpr int kRelease = 8192; // a quarter

    // The direction held after the axis moved to nValue (SDL's range,
    // negative up).
    int Update(int nValue);
    int GetHeld() const { return m_nHeld; }

private:
    int m_nHeld = 0;
};
