// The start-up gate: work the program can do later than its first picture
// (synthesising the sound cues) waits here, so that it takes no core from
// the start on a machine of two. The window layer opens the gate once a
// window has presented its first picture; a wait also ends after its own
// limit, for a program or a test that never shows one. Waits are in real
// time whatever clock is installed: a background thread must not sleep on a
// test's virtual clock, which may be gone before it wakes.
//
// Left out: closing a gate again.
#pragma once

#include <condition_variable>
#include <mutex>

#include "platform/core/Types.h"

class CStartupGate {
public:
    // Ends every wait now; later waits return at once.
    void Open();
    BOOL IsOpen() const;
    // Waits until the gate opens or nMaxMs pass; TRUE when it opened.
    BOOL Wait(DWORD nMaxMs) const;

private:
    mutable std::mutex m_mutex; // guards m_bOpen
    mutable std::condition_variable m_opened;
    bool m_bOpen = false;
};

// The program's gate (never destroyed: a waiting thread may outlive main).
CStartupGate& AfxGetStartupGate();
