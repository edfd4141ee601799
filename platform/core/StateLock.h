// CStateLock: the advisory lock (flock) that every writer of a kept value
// holds while it re-reads, compares and replaces a file of the state folder,
// so that two copies of the program never undo each other's writes. One lock
// file, ".lock", serves the whole folder; it is made on first use and never
// removed (removing it would let two writers hold two different locks).
//
// The lock is waited for briefly by polling, never blocking: a copy that
// holds it for longer (stopped in a debugger, say) costs the caller at most
// the wait, and the caller tries again on its next write. Readers need no
// lock: a file is only ever replaced whole, by a rename.
#pragma once

#include <string>

class CStateLock {
public:
    // How long Acquire waits for another holder by default.
    static constexpr int kWaitMs = 250;

    CStateLock() = default;
    CStateLock(const CStateLock&) = delete;
    CStateLock& operator=(const CStateLock&) = delete;
    ~CStateLock();

    // Takes the lock of folder (which must exist), waiting up to nWaitMs;
    // 0 when held, else the error (EWOULDBLOCK when the wait ran out).
    int Acquire(const std::string& folder, int nWaitMs = kWaitMs);
    void Release();

    static std::string PathIn(const std::string& folder);

private:
    int m_fd = -1;
};
