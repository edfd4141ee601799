// The state file: a value written and read back through a folder it makes;
// what it refuses (corrupt, oversized, not a regular file, a file or folder
// in the way) with one line on stderr; the old value surviving a write that
// fails midway; and a folder it may not write to. The environment of this
// program (HOME, XDG_STATE_HOME) is changed by the last test.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/core/StateFile.h"

namespace {

namespace fs = std::filesystem;

// All that fd gives until its end; closes it.
std::string ReadAll(int fd)
{
    std::string text;
    char buffer[256];
    for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, size_t(got));
    close(fd);
    return text;
}

class StateFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char szRoot[] = "/tmp/quindle-state.XXXXXX";
        ASSERT_NE(mkdtemp(szRoot), nullptr);
        m_root = szRoot;
    }
    void TearDown() override
    {
        std::error_code error;
        fs::permissions(m_root, fs::perms::owner_all, error);
        fs::remove_all(m_root, error);
    }

    std::string PathIn(const std::string& rel) const { return m_root + "/" + rel; }
    void Put(const std::string& rel, const std::string& text) const
    {
        std::ofstream(PathIn(rel), std::ios::binary) << text;
    }
    static std::string Contents(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Reads through a fresh file object; sets m_strErr to what it said.
    BOOL Read(const std::string& rel, int* pn)
    {
        CStateFile file(CString(PathIn(rel)));
        ::testing::internal::CaptureStderr();
        const BOOL bRead = file.ReadInt(pn);
        m_strErr = ::testing::internal::GetCapturedStderr();
        return bRead;
    }
    int Lines() const { return int(std::count(m_strErr.begin(), m_strErr.end(), '\n')); }
    // The entries of folder but the state folder's lock file, which stays.
    static long Entries(const std::string& folder)
    {
        return long(std::count_if(fs::directory_iterator(folder), fs::directory_iterator(),
                                  [](const fs::directory_entry& e) { return e.path().filename() != ".lock"; }));
    }

    std::string m_root;
    std::string m_strErr;
};

TEST_F(StateFileTest, RoundTripThroughAFolderItMakes)
{
    CStateFile file(CString(PathIn("a/b/quindle/best")));
    int n = -1;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(file.ReadInt(&n));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "nothing kept yet is no fault";
    ASSERT_TRUE(file.WriteInt(0));
    ASSERT_TRUE(file.WriteInt(123456789));
    ASSERT_TRUE(file.ReadInt(&n));
    EXPECT_EQ(n, 123456789);
    EXPECT_EQ(Contents(PathIn("a/b/quindle/best")), "123456789\n");
    EXPECT_EQ(Entries(PathIn("a/b/quindle")), 1)
        << "no temporary file left";
}

TEST_F(StateFileTest, RefusesCorruptOversizedAndIrregularFilesWithOneLineAndReplacesThem)
{
    ASSERT_EQ(mkfifo(PathIn("fifo").c_str(), 0600), 0); // must not block the read
    Put("plain", "not a number\n");
    Put("negative", "-3\n");
    Put("empty", "");
    Put("twolines", "4\n5\n");
    Put("huge", std::string(4096, '1'));
    Put("longnumber", "12345678901\n");
    for (const char* rel : {"fifo", "plain", "negative", "empty", "twolines", "huge", "longnumber"}) {
        int n = 7;
        EXPECT_FALSE(Read(rel, &n)) << rel;
        EXPECT_EQ(n, 7) << rel;
        EXPECT_EQ(Lines(), 1) << rel << ": " << m_strErr;
        EXPECT_NE(m_strErr.find(PathIn(rel)), std::string::npos) << m_strErr;
    }
    ASSERT_TRUE(CStateFile(CString(PathIn("plain"))).WriteInt(9));
    int n = -1;
    EXPECT_TRUE(Read("plain", &n));
    EXPECT_EQ(n, 9);
}

// A folder where the file belongs, or a file where its folder belongs: one
// line for a read and the writes after it, and nothing changed on disk.
TEST_F(StateFileTest, AFolderOrAFileInTheWayIsReportedOnceAndLeftAsItIs)
{
    ASSERT_EQ(mkdir(PathIn("best").c_str(), 0700), 0);
    Put("quindle", "a file\n");
    for (const char* rel : {"best", "quindle/best"}) {
        CStateFile file(CString(PathIn(rel)));
        int n = -1;
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(file.ReadInt(&n)) << rel;
        EXPECT_FALSE(file.WriteInt(5)) << rel;
        EXPECT_FALSE(file.WriteInt(6)) << rel;
        m_strErr = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(Lines(), 1) << rel << ": " << m_strErr;
    }
    EXPECT_TRUE(fs::is_directory(PathIn("best")));
    EXPECT_EQ(Contents(PathIn("quindle")), "a file\n");
    EXPECT_EQ(Entries(m_root), 2) << "no temporary file left";
}

// A file-size limit makes the new file's write fail after its first byte.
TEST_F(StateFileTest, AWriteThatFailsMidwayLeavesTheOldValue)
{
    CStateFile file(CString(PathIn("best")));
    ASSERT_TRUE(file.WriteInt(42));
    struct rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tiny = old;
    tiny.rlim_cur = 1;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    // Through a pipe: the limit would cut a captured file of stderr too.
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    const int savedErr = dup(STDERR_FILENO);
    dup2(pipeFds[1], STDERR_FILENO);
    const BOOL bWritten = file.WriteInt(1000);
    dup2(savedErr, STDERR_FILENO);
    close(savedErr);
    close(pipeFds[1]);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    m_strErr = ReadAll(pipeFds[0]);

    EXPECT_FALSE(bWritten);
    EXPECT_EQ(Lines(), 1) << m_strErr;
    int n = -1;
    EXPECT_TRUE(Read("best", &n));
    EXPECT_EQ(n, 42);
    EXPECT_EQ(Entries(m_root), 1) << "no temporary file left";
}

// Root writes anywhere, so the write is tried by a child that has given up
// root for an unprivileged user; a folder that user may not write to refuses.
TEST_F(StateFileTest, AFolderItMayNotWriteToRefusesAndKeepsTheOldValue)
{
    Put("best", "3\n");
    ASSERT_EQ(chmod(m_root.c_str(), 0755), 0);
    ASSERT_EQ(chmod(PathIn("best").c_str(), 0644), 0);
    if (geteuid() != 0 && access(m_root.c_str(), W_OK) == 0)
        GTEST_SKIP() << "this user owns the folder; no unprivileged user to try as";
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        dup2(pipeFds[1], STDERR_FILENO);
        constexpr uid_t kNobody = 65534;
        if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0))
            _exit(2);
        CStateFile file(CString(PathIn("best")));
        int n = -1;
        const BOOL bRead = file.ReadInt(&n);
        _exit(bRead && n == 3 && !file.WriteInt(8) ? 0 : 1);
    }
    close(pipeFds[1]);
    const std::string said = ReadAll(pipeFds[0]);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2)
        GTEST_SKIP() << "cannot give up root here";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "it read the old value and its write was refused";
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("Permission denied"), std::string::npos) << said;
    int n = -1;
    EXPECT_TRUE(Read("best", &n));
    EXPECT_EQ(n, 3);
}

TEST(StateFilePath, FollowsTheBaseDirectoryRules)
{
    setenv("HOME", "/h", 1);
    setenv("XDG_STATE_HOME", "/s", 1);
    EXPECT_EQ(CStateFile::DefaultPath("best"), "/s/quindle/best");
    setenv("XDG_STATE_HOME", "relative", 1); // not absolute: ignored
    EXPECT_EQ(CStateFile::DefaultPath("best"), "/h/.local/state/quindle/best");
    unsetenv("XDG_STATE_HOME");
    unsetenv("HOME");
    EXPECT_EQ(CStateFile::DefaultPath("best"), "");
}

} // namespace
