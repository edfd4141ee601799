#include "platform/core/StateFile.h"

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
constexpr size_t kMaxBytes = 32;
constexpr int kMaxDigits = 9;
constexpr mode_t kFolderMode = 0700;

// Pseudo error numbers for what the file holds, beyond what the system says.
constexpr int kNotRegular = -1;
constexpr int kTooLarge = -2;
constexpr int kNotANumber = -3;

const char* Reason(int nError)
{
    switch (nError) {
    case kNotRegular:
        return "not a regular file";
    case kTooLarge:
        return "too large";
    case kNotANumber:
        return "not a number";
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

// The number that text holds: digits and an optional newline; -1 otherwise.
int ParseNumber(const std::string& text)
{
    std::string digits = text;
    if (!digits.empty() && digits.back() == '\n')
        digits.pop_back();
    if (digits.empty() || int(digits.size()) > kMaxDigits)
        return -1;
    int n = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

} // namespace

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
    } else if (size_t(st.st_size) > kMaxBytes) {
        nError = kTooLarge;
    } else {
        char buffer[kMaxBytes + 1];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0)
            nError = errno;
        else if (size_t(n) > kMaxBytes)
            nError = kTooLarge; // it grew since fstat
        else
            text.assign(buffer, size_t(n));
    }
    close(fd);
    const int nValue = nError ? -1 : ParseNumber(text);
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
    return WriteAtomically(std::to_string(nValue) + "\n");
}

BOOL CStateFile::WriteAtomically(const std::string& contents)
{
    const std::string path = m_strPath.Str();
    const std::string folder = FolderOf(path);
    if (const int nError = MakeFolders(folder)) {
        Report("cannot keep", nError);
        return FALSE;
    }
    std::string temp = path + ".XXXXXX";
    const int fd = mkostemp(&temp[0], O_CLOEXEC);
    if (fd < 0) {
        Report("cannot keep", errno);
        return FALSE;
    }
    int nError = WriteAll(fd, contents);
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
