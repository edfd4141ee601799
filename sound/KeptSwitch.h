// CKeptSwitch: an on/off choice of the player's, kept between runs in a
// state file (1 on, 0 off). Set takes the choice at once; the file is
// written by a short-lived thread of the switch's own, so the window thread
// that calls Set never waits on the disk. The destructor waits for a write
// under way. A file that cannot be read leaves the default.
#pragma once

#include <condition_variable>
#include <mutex>

#include "platform/core/Shared.h"
#include "platform/core/StateFile.h"

class CKeptSwitch {
public:
    explicit CKeptSwitch(BOOL bDefault) : m_bOn(bDefault ? 1 : 0) {}
    CKeptSwitch(const CKeptSwitch&) = delete;
    CKeptSwitch& operator=(const CKeptSwitch&) = delete;
    ~CKeptSwitch();

    // Reads the choice kept at strPath (empty: keep it in memory only).
    void Open(const CString& strPath);
    BOOL IsOn() const { return m_bOn != 0; }
    void Set(BOOL bOn);
    // Waits until what was set is on disk (or the disk refused it).
    void WaitForWrites();

private:
    static UINT WriteProc(void* pParam);

    CRelaxed<int> m_bOn;        // written by the window thread; read by any
    std::mutex m_mutex;
    std::condition_variable m_cv;
    CStateFile m_file;          // guarded by m_mutex (Open) and m_bWriting (the writer)
    BOOL m_bWriting = FALSE;    // guarded by m_mutex: a writer thread is under way
    BOOL m_bUnsaved = FALSE;    // guarded by m_mutex
};
