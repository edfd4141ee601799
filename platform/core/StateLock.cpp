#include "platform/core/StateLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

namespace {
constexpr int kPollMs = 5;
constexpr mode_t kLockMode = 0600;

void SleepMs(int nMs)
{
    struct timespec ts = {nMs / 1000, long(nMs % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}
} // namespace

CStateLock::~CStateLock()
{
    Release();
}

std::string CStateLock::PathIn(const std::string& folder)
{
    return folder + "/.lock";
}

int CStateLock::Acquire(const std::string& folder, int nWaitMs)
{
    Release();
    const std::string path = PathIn(folder);
    // Read-write where it can (a lock over NFS needs it), read-only where the
    // file is there but not writable.
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, kLockMode);
    if (fd < 0 && (errno == EACCES || errno == EROFS)) {
        const int nRefused = errno;
        fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY);
        if (fd < 0)
            return errno == ENOENT ? nRefused : errno;
    }
    if (fd < 0)
        return errno;
    for (int nWaited = 0;; nWaited += kPollMs) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_fd = fd;
            return 0;
        }
        const int nError = errno;
        if (nError == EINTR)
            continue;
        if (nError != EWOULDBLOCK || nWaited >= nWaitMs) {
            close(fd);
            return nError;
        }
        SleepMs(kPollMs);
    }
}

void CStateLock::Release()
{
    if (m_fd >= 0) {
        close(m_fd); // closing the only descriptor releases the lock
        m_fd = -1;
    }
}
