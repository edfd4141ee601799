// CStateFile: one small number the program keeps between runs, in a file of
// its own state folder ($XDG_STATE_HOME/quindle, else ~/.local/state/quindle).
//
// What it promises: a read accepts only a short regular file holding one
// non-negative decimal number and never blocks (a pipe or a device in the
// file's place is refused, not opened for waiting). A write goes to a new file
// in the same folder, is flushed to disk and then renamed over the old one,
// so a crash or a failure midway leaves the old value readable; a missing
// folder is made first. Anything that goes wrong is one line on stderr, the
// first time only, and the caller carries on as if nothing were kept.
//
// Left out: locking between two programs writing at once (the last rename wins).
#pragma once

#include "platform/core/String.h"

class CStateFile {
public:
    // A file at strPath; an empty path keeps nothing and reads nothing.
    explicit CStateFile(CString strPath = "");

    // The path of file pszName in the program's state folder; empty when the
    // environment names no home.
    static CString DefaultPath(const char* pszName);

    // TRUE and the value when the file holds one; FALSE when it is missing
    // (said nothing) or unusable (said once).
    BOOL ReadInt(int* pnValue);
    // TRUE when nValue is on disk under the file's name.
    BOOL WriteInt(int nValue);

    const CString& GetPath() const { return m_strPath; }

private:
    BOOL WriteAtomically(const std::string& contents);
    void Report(const char* pszWhat, int nError);

    CString m_strPath;
    BOOL m_bReported;
};
