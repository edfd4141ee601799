#include "sound/Synth.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
// The second and third harmonics' share: a rounder sound than a bare sine.
constexpr double kSecond = 0.25;
constexpr double kThird = 0.12;

int MsToFrames(double fMs)
{
    return int(std::lround(fMs * kSoundRate / 1000.0));
}

// 0 at the tone's ends, 1 between its ramps.
double Envelope(int n, int nLength, int nAttack, int nRelease)
{
    if (n < nAttack)
        return 0.5 - 0.5 * std::cos(kPi * n / nAttack);
    const int nFromEnd = nLength - 1 - n;
    if (nFromEnd < nRelease)
        return 0.5 - 0.5 * std::cos(kPi * nFromEnd / nRelease);
    return 1.0;
}

} // namespace

void AfxAddTone(std::vector<float>* pSamples, const TONE& tone)
{
    const int nStart = MsToFrames(tone.fStartMs);
    const int nLength = MsToFrames(tone.fLengthMs);
    const int nAttack = std::max(1, MsToFrames(tone.fAttackMs));
    const int nRelease = std::max(1, MsToFrames(tone.fReleaseMs));
    if (nLength < 2)
        return;
    if (pSamples->size() < size_t(nStart + nLength))
        pSamples->resize(size_t(nStart + nLength), 0.0f);
    const double fRatio = std::log(tone.fToHz / tone.fFromHz);
    double fPhase = 0.0;
    for (int n = 0; n < nLength; ++n) {
        const double fHz = tone.fFromHz * std::exp(fRatio * n / (nLength - 1));
        const double fWave = std::sin(fPhase) + kSecond * std::sin(2 * fPhase) + kThird * std::sin(3 * fPhase);
        (*pSamples)[size_t(nStart + n)] += float(fWave * Envelope(n, nLength, nAttack, nRelease));
        fPhase += 2 * kPi * fHz / kSoundRate;
    }
}

void AfxScaleToPeak(std::vector<float>* pSamples, float fPeak)
{
    float fMax = 0.0f;
    for (float f : *pSamples)
        fMax = std::max(fMax, std::fabs(f));
    if (fMax <= 0.0f)
        return;
    for (float& f : *pSamples)
        f *= fPeak / fMax;
}
