// CBestScore: the best score of all runs, kept in a state file. A run's score
// is kept when no best exists yet (so the first run that ends always leaves
// one, even with 0) or when it beats the best. A file that cannot be read
// counts as no best, and the next kept score replaces it where it can. When
// the disk refuses, the best still holds in memory for the rest of the program.
//
// Threads: the game thread keeps the score of a run that ends by itself, the
// window thread that of a run the user stops; m_cs guards all of it.
#pragma once

#include "platform/core/Lock.h"
#include "platform/core/StateFile.h"

class CBestScore {
public:
    static constexpr int kNone = -1;

    // Reads the best from strPath (empty: keep it in memory only).
    void Open(const CString& strPath);
    // The best, kNone when there is none.
    int Get();
    // Keeps nScore if it is the first or a better one; TRUE when it did.
    BOOL Offer(int nScore);

private:
    CCriticalSection m_cs;
    CStateFile m_file; // guarded by m_cs
    int m_nBest = kNone; // guarded by m_cs
};
