#include "platform/core/StateFile.h"

#include "platform/core/StateLock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kProgramFolder = "quindle";
// A kept number is a few digits; anything longer is not ours.
constexpr size_t kMaxStateBytes = 32;
constexpr int kMaxDigits = 9;
constexpr mode_t kFolderMode = 0700;

// Pseudo error numbers for what the file holds, beyond what the system says.
constexpr int kNotRegular = -1;
constexpr int kTooLarge = -2;
constexpr int kNotANumber = -3;
constexpr int kLockBusy = -4;

const char* Reason(int nError)
{
    switch (nError) {
    case kNotRegular:
        return "not a regular file";
    case kTooLarge:
        return "too large";
    case kNotANumber:
        return "not a number";
    case kLockBusy:
        return "another copy of the program holds the state folder's lock";
    default:
        return std::strerror(nError);
    }
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes folder and the folders above it; 0 or the error.
int MakeFolders(const std::string& folder)
{
    struct stat st;
    if (stat(folder.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
    if (errno != ENOENT)
        return errno;
    const std::string parent = FolderOf(folder);
    if (parent != folder) {
        if (const int nError = MakeFolders(parent))
            return nError;
    }
    if (mkdir(folder.c_str(), kFolderMode) != 0 && errno != EEXIST)
        return errno;
    return 0;
}

// Writes all of data to fd; 0 or the error.
int WriteAll(int fd, const std::string& data)
{
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += size_t(n);
    }
    return 0;
}

} // namespace

int CStateFile::ParseValue(const char* pText, size_t nLength)
{
    if (nLength > 0 && pText[nLength - 1] == '\n')
        --nLength;
    if (nLength == 0 || nLength > size_t(kMaxDigits))
        return -1;
    int n = 0;
    for (size_t i = 0; i < nLength; ++i) {
        if (pText[i] < '0' || pText[i] > '9')
            return -1;
        n = n * 10 + (pText[i] - '0');
    }
    return n;
}

CStateFile::CStateFile(CString strPath) : m_strPath(std::move(strPath)), m_bReported(FALSE) {}

CString CStateFile::DefaultPath(const char* pszName)
{
    // The base directory specification ignores a relative XDG_STATE_HOME.
    const char* pszState = std::getenv("XDG_STATE_HOME");
    std::string base;
    if (pszState && pszState[0] == '/') {
        base = pszState;
    } else {
        const char* pszHome = std::getenv("HOME");
        if (!pszHome || pszHome[0] != '/')
            return CString();
        base = std::string(pszHome) + "/.local/state";
    }
    return CString(base + "/" + kProgramFolder + "/" + pszName);
}

BOOL CStateFile::ReadInt(int* pnValue)
{
    if (m_strPath.IsEmpty())
        return FALSE;
    // Non-blocking: a pipe in the file's place must not hold the game.
    const int fd = open(m_strPath, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno != ENOENT)
            Report("cannot read", errno);
        return FALSE;
    }
    struct stat st;
    int nError = 0;
    std::string text;
    if (fstat(fd, &st) != 0) {
        nError = errno;
    } else if (!S_ISREG(st.st_mode)) {
        nError = kNotRegular;
    } else if (size_t(st.st_size) > kMaxStateBytes) {
        nError = kTooLarge;
    } else {
        char buffer[kMaxStateBytes + 1];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0)
            nError = errno;
        else if (size_t(n) > kMaxStateBytes)
            nError = kTooLarge; // it grew since fstat
        else
            text.assign(buffer, size_t(n));
    }
    close(fd);
    const int nValue = nError ? -1 : ParseValue(text.data(), text.size());
    if (!nError && nValue < 0)
        nError = kNotANumber;
    if (nError) {
        Report("cannot read", nError);
        return FALSE;
    }
    *pnValue = nValue;
    return TRUE;
}

BOOL CStateFile::WriteInt(int nValue)
{
    if (m_strPath.IsEmpty() || nValue < 0)
        return FALSE;
    CStateLock lock;
    if (const int nError = Lock(&lock)) {
        Report("cannot keep", nError);
        return FALSE;
    }
    return Replace(nValue);
}

BOOL CStateFile::WriteIntIfGreater(int nValue, int* pnKept)
{
    *pnKept = nValue;
    if (m_strPath.IsEmpty() || nValue < 0)
        return FALSE;
    CStateLock lock;
    if (const int nError = Lock(&lock)) {
        Report("cannot keep", nError);
        return FALSE;
    }
    // Under the lock no other copy writes between this read and the rename.
    int nOnDisk = -1;
    if (ReadInt(&nOnDisk) && nOnDisk >= nValue) {
        *pnKept = nOnDisk;
        return TRUE;
    }
    return Replace(nValue);
}

int CStateFile::Lock(CStateLock* pLock)
{
    const std::string folder = FolderOf(m_strPath.Str());
    if (const int nError = MakeFolders(folder))
        return nError;
    const int nError = pLock->Acquire(folder);
    return nError == EWOULDBLOCK ? kLockBusy : nError;
}

// Called with the folder's lock held: only one writer uses the new file's
// name at a time, and one left behind by a writer that was killed is simply
// written over.
BOOL CStateFile::Replace(int nValue)
{
    const std::string path = m_strPath.Str();
    const std::string folder = FolderOf(path);
    const std::string temp = path + ".new";
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600);
    if (fd < 0) {
        Report("cannot keep", errno);
        return FALSE;
    }
    int nError = WriteAll(fd, std::to_string(nValue) + "\n");
    if (!nError && fsync(fd) != 0)
        nError = errno;
    if (close(fd) != 0 && !nError)
        nError = errno;
    if (!nError && rename(temp.c_str(), path.c_str()) != 0)
        nError = errno;
    if (nError) {
        unlink(temp.c_str());
        Report("cannot keep", nError);
        return FALSE;
    }
    // The rename itself reaches the disk with the folder's own flush.
    const int dirFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        fsync(dirFd);
        close(dirFd);
    }
    return TRUE;
}

void CStateFile::Report(const char* pszWhat, int nError)
{
    if (m_bReported)
        return;
    m_bReported = TRUE;
    std::fprintf(stderr, "quindle: %s %s: %s\n", pszWhat, static_cast<const char*>(m_strPath), Reason(nError));
}
