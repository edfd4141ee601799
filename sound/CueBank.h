// CCueBank: the program's sound cues, synthesised once (a few milliseconds):
// "Ready" a low blip, "Go!!" a higher one, "Game Over!!" a falling tone,
// "Goal!!" a rising three-note figure and the new best's short flourish.
// Each peaks at kCuePeak (below -6 dBFS) and starts and ends in silence.
#pragma once

#include <vector>

#include "session/CueSink.h"
#include "sound/Synth.h"

// -6.5 dBFS: two cues that overlap still stay clear of full scale.
constexpr float kCuePeak = 0.473f;

class CCueBank {
public:
    CCueBank();
    // 48 kHz mono samples of nCue.
    const std::vector<float>& Get(SOUNDCUE nCue) const { return m_cues[nCue]; }
    double GetLengthMs(SOUNDCUE nCue) const { return 1000.0 * double(m_cues[nCue].size()) / kSoundRate; }

    // The bank of the program, made on first use and kept until it ends
    // (the device may still be playing from it as the program exits).
    static const CCueBank& Shared();

private:
    std::vector<float> m_cues[CUE_COUNT];
};
