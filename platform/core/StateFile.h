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
// Several copies of the program may keep values in one folder at once: every
// write holds the folder's lock (StateLock.h) from before it reads until the
// rename. WriteInt is for a setting, where the last writer wins;
// WriteIntIfGreater is for a record, which it never replaces by a smaller one.
// A write whose lock cannot be had writes nothing and fails; the caller keeps
// its value and may try again later.
#pragma once

#include "platform/core/String.h"

class CStateLock;

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
    // Writes nValue unless the file already holds a value at least as large.
    // *pnKept gets the larger of the two, which is what the caller should show;
    // TRUE when that value is on disk. A file that cannot be read counts as none.
    BOOL WriteIntIfGreater(int nValue, int* pnKept);

    // The value that a file's whole text holds: digits and an optional final
    // newline, at most nine digits; -1 for anything else.
    static int ParseValue(const char* pText, size_t nLength);

    const CString& GetPath() const { return m_strPath; }

private:
    // Makes the folder and takes its lock; 0 or the error.
    int Lock(CStateLock* pLock);
    BOOL Replace(int nValue);
    void Report(const char* pszWhat, int nError);

    CString m_strPath;
    BOOL m_bReported;
};
