// The cue player's sound choice, kept in its state file between programs:
// the last of quick changes wins, and a file that says nothing sensible
// leaves the sound on. (That a player with the sound off plays nothing is
// checked over whole runs, with the session.)
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "sound/CuePlayer.h"

namespace {

class CuePlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char szDir[] = "/tmp/quindle-sound-test.XXXXXX";
        ASSERT_NE(mkdtemp(szDir), nullptr);
        m_dir = szDir;
        m_strPath = CString((m_dir / "sound").c_str());
    }
    void TearDown() override
    {
        std::filesystem::remove_all(m_dir);
    }
    std::string FileText()
    {
        std::ifstream in(m_strPath.Str());
        std::string text;
        std::getline(in, text);
        return text;
    }

    std::filesystem::path m_dir;
    CString m_strPath;
};

TEST_F(CuePlayerTest, TheChoiceIsKeptForTheNextProgramAndNonsenseLeavesItOn)
{
    {
        CCuePlayer player;
        player.Open(m_strPath);
        player.SetSoundOn(FALSE);
    } // waits for its write
    EXPECT_EQ(FileText(), "0");
    {
        CCuePlayer next;
        next.Open(m_strPath);
        EXPECT_FALSE(next.IsSoundOn());
        next.SetSoundOn(TRUE);
        next.SetSoundOn(FALSE);
        next.SetSoundOn(TRUE);
    }
    EXPECT_EQ(FileText(), "1") << "the last of quick changes wins";
    for (const char* pszText : {"7\n", "-1\n", "on\n"}) {
        std::ofstream(m_strPath.Str()) << pszText;
        CCuePlayer player;
        player.Open(m_strPath);
        EXPECT_TRUE(player.IsSoundOn()) << pszText;
    }
}

} // namespace
