// CBestScore: the best score of all runs, kept in a state file. A run's score
// is kept when no best exists yet (so the first run that ends always leaves
// one, even with 0) or when it beats the best. A file that cannot be read
// counts as no best, and the next kept score replaces it where it can. When
// the disk refuses, the best still holds in memory for the rest of the program.
//
// Offer takes a score in memory only, at once; Flush puts it on disk, which
// takes a flush to the disk (milliseconds) and at most a brief wait for the
// state folder's lock, so the game thread calls it and the window thread never
// waits on the disk while the game runs. Another copy of the program may have
// kept a better best meanwhile: Flush then leaves the file as it is and takes
// that best into memory, so the menu shows the larger. A flush that could not
// write (the lock busy, the disk refusing) is tried again by the next one.
//
// Threads: either thread offers (the game thread for a run that ends by
// itself, the window thread for one the user stops); m_cs guards the value,
// m_csFile the file, taken in that order only as m_csFile then m_cs.
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
    // Takes nScore if it is the first or a better one; TRUE when it did.
    BOOL Offer(int nScore);
    // Writes the best to the file if it changed since the last write and
    // beats what the file holds.
    void Flush();

private:
    CCriticalSection m_csFile;
    CStateFile m_file;     // guarded by m_csFile
    CCriticalSection m_cs;
    int m_nBest = kNone;   // guarded by m_cs
    BOOL m_bUnsaved = FALSE; // guarded by m_cs
};
