// The state file's reader on any bytes. The parser takes exactly the texts
// the writer makes (one to nine digits, then at most a newline), and reading
// the same bytes from a real file gives the same answer.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/core/StateFile.h"

namespace {

// In memory where it can: a file cut to nothing and written again is
// flushed to disk at every close on ext4, which would slow each input to
// milliseconds.
std::string ScratchFile()
{
    std::string folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm/quindle-fuzz.XXXXXX" : "/tmp/quindle-fuzz.XXXXXX";
    if (!mkdtemp(&folder[0]))
        std::abort();
    static std::string s_folder = folder;
    std::atexit([] {
        unlink((s_folder + "/value").c_str());
        rmdir(s_folder.c_str());
    });
    return folder + "/value";
}

void Put(const std::string& path, const uint8_t* pData, size_t nSize)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0 || write(fd, pData, nSize) != ssize_t(nSize) || close(fd) != 0)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::string text(reinterpret_cast<const char*>(pData), nSize);
    const int nParsed = CStateFile::ParseValue(text.data(), text.size());

    std::string digits = text;
    if (!digits.empty() && digits.back() == '\n')
        digits.pop_back();
    const bool bValid = !digits.empty() && digits.size() <= 9 && digits.find_first_not_of("0123456789") == std::string::npos;
    if (bValid != (nParsed >= 0) || (bValid && std::stoi(digits) != nParsed))
        std::abort();

    // One file object: it reports a bad file once, not at every input.
    static const std::string path = ScratchFile();
    static CStateFile file{CString(path)};
    Put(path, pData, nSize);
    int nRead = -1;
    const BOOL bRead = file.ReadInt(&nRead);
    if (bool(bRead) != bValid || (bRead && nRead != nParsed))
        std::abort();
    return 0;
}
