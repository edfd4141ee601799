// Inside platform/ui: what a game controller's steering holds, as key presses.
// A steering key held down repeats, as a keyboard's keys do: first after a
// delay, then at a steady rate, until it is let go, another is pressed or
// input stops reaching the program. The left stick's vertical axis is a pair
// of such keys: past half its travel a direction is held, and it lets go
// only once back under a quarter, so a stick resting near the middle of its
// travel neither steers nor chatters. No SDL here: times are the clock's
// milliseconds, keys the framework's virtual keys.
#pragma once

#include "platform/core/Types.h"

class CPadRepeat {
public:
    static constexpr ULONGLONG kNever = ~ULONGLONG(0);
    static constexpr DWORD kDelayMs = 300;
    static constexpr DWORD kIntervalMs = 40;

    // nKey is held by controller nPad from now on.
    void Press(UINT nKey, int nPad, ULONGLONG now);
    // Controller nPad let go of nKey; nothing when another key is held.
    void Release(UINT nKey, int nPad);
    // Whatever controller nPad holds is let go (it was unplugged).
    void ReleasePad(int nPad);
    void Clear();
    UINT GetHeld() const { return m_nKey; }
    // When the held key repeats next, or kNever.
    ULONGLONG NextDue() const;
    // The held key when its repeat is due at now (the next one is then
    // scheduled), else 0.
    UINT Fire(ULONGLONG now);

private:
    UINT m_nKey = 0;
    int m_nPad = -1;
    ULONGLONG m_due = kNever;
};

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
