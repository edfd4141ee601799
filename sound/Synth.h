// Tones for the program's sound cues, made in memory: 48 kHz mono float.
// Every tone fades in and out on a raised-cosine ramp, so it starts and ends
// at zero and makes no click; a cue is scaled to its peak level at the end.
#pragma once

#include <vector>

constexpr int kSoundRate = 48000;

struct TONE {
    double fStartMs;   // where it begins in the cue
    double fLengthMs;
    double fFromHz;    // the pitch glides from here...
    double fToHz;      // ...to here, evenly in log frequency
    double fAttackMs;
    double fReleaseMs;
};

// Adds tone to pSamples (grown as needed): a sine with a little of its
// second and third harmonics, at amplitude 1 before the cue is scaled.
void AfxAddTone(std::vector<float>* pSamples, const TONE& tone);
// Scales pSamples so that its largest magnitude is fPeak (linear).
void AfxScaleToPeak(std::vector<float>* pSamples, float fPeak);
