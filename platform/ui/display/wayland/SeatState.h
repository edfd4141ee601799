// Inside platform/ui: two pieces of the seat's work that Wayland leaves to
// the client, kept apart from the protocol so that they are tested alone:
//   CKeyRepeat   a held key repeats after the compositor's delay at its
//                rate; a loop that slept long catches up with one repeat,
//                not a burst; a release or the focus leaving stops it
//   CWheelFrame  one pointer frame's wheel movement as SDL counts it:
//                discrete steps (whole or in 120ths) where the wheel has them, else smooth
//                movement at ten units a step; positive away from the user
// Times are the clock service's milliseconds.
#pragma once

#include <cstdint>

#include "platform/core/Types.h"

class CKeyRepeat {
public:
    // Repeats a second (0: none) and the delay before the first, in ms.
    void SetRate(int32_t nRate, int32_t nDelay);
    // Key nKey went down (bRepeats: the keymap lets it repeat) or up at now.
    void OnKey(uint32_t nKey, BOOL bDown, BOOL bRepeats, ULONGLONG now);
    void Stop() { m_nKey = 0; }
    // The key whose repeat is due at now, 0 for none; the next is scheduled then.
    uint32_t TakeDue(ULONGLONG now);
    // Milliseconds from now until the next repeat, -1 when no key repeats.
    int GetDelay(ULONGLONG now) const;

private:
    int32_t m_nRate = 25;
    int32_t m_nDelay = 600;
    uint32_t m_nKey = 0; // the key that repeats, 0 none
    ULONGLONG m_next = 0;
};

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
