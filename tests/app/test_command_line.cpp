// The command line: what each argument asks for, and where the answer goes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/core/Quote.h"
#include "platform/ui/frame/CommandLine.h"
#include "res/Usage.h"

namespace {

CCommandLineInfo Parse(std::initializer_list<const char*> args)
{
    std::vector<char*> argv{const_cast<char*>("quindle")};
    for (const char* psz : args)
        argv.push_back(const_cast<char*>(psz));
    CCommandLineInfo info;
    AfxParseCommandLine(info, int(argv.size()), argv.data());
    return info;
}

std::string ReadBack(FILE* pFile)
{
    std::string text;
    std::rewind(pFile);
    for (int c; (c = std::fgetc(pFile)) != EOF;)
        text += char(c);
    return text;
}

TEST(CommandLine, EachArgumentAsksForItsCommand)
{
    EXPECT_EQ(Parse({}).m_nShellCommand, CCommandLineInfo::RunProgram);
    EXPECT_EQ(Parse({"--help"}).m_nShellCommand, CCommandLineInfo::ShowHelp);
    EXPECT_EQ(Parse({"-h"}).m_nShellCommand, CCommandLineInfo::ShowHelp);
    EXPECT_EQ(Parse({"--version"}).m_nShellCommand, CCommandLineInfo::ShowVersion);
    // Help is the fuller answer of the two, whichever comes first.
    EXPECT_EQ(Parse({"--version", "--help"}).m_nShellCommand, CCommandLineInfo::ShowHelp);
    EXPECT_EQ(Parse({"--help", "--version"}).m_nShellCommand, CCommandLineInfo::ShowHelp);
}

TEST(CommandLine, TheFirstArgumentNotUnderstoodWinsOverEverything)
{
    const CCommandLineInfo info = Parse({"--help", "--vers", "-x"});
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::BadArgument);
    EXPECT_EQ(info.m_strBadArgument, "--vers");
    EXPECT_EQ(Parse({"game"}).m_strBadArgument, "game");
    EXPECT_EQ(Parse({""}).m_nShellCommand, CCommandLineInfo::BadArgument);
}

class ShellCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pOut = std::tmpfile();
        m_pErr = std::tmpfile();
        ASSERT_TRUE(m_pOut && m_pErr);
    }
    void TearDown() override
    {
        if (m_pOut)
            std::fclose(m_pOut);
        if (m_pErr)
            std::fclose(m_pErr);
    }
    int Run(std::initializer_list<const char*> args) { return AfxRunShellCommand(Parse(args), m_pOut, m_pErr); }

    FILE* m_pOut = nullptr;
    FILE* m_pErr = nullptr;
};

TEST_F(ShellCommandTest, VersionComesFromTheVersionBlockOnStdout)
{
    EXPECT_EQ(Run({"--version"}), 0);
    EXPECT_EQ(ReadBack(m_pOut), "Quindle 1.0\n");
    EXPECT_EQ(ReadBack(m_pErr), "");
}

TEST_F(ShellCommandTest, HelpPrintsTheUsageOnStdout)
{
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_EQ(ReadBack(m_pOut), g_quindleUsage);
    EXPECT_EQ(ReadBack(m_pErr), "");
}

TEST_F(ShellCommandTest, BadArgumentNamesItThenTheUsageOnStderr)
{
    EXPECT_EQ(Run({"--fullscreen"}), kExitUsage);
    EXPECT_EQ(ReadBack(m_pOut), "");
    const std::string err = ReadBack(m_pErr);
    EXPECT_EQ(err.find(std::string(program_invocation_short_name) + ": unknown option '--fullscreen'\n"), 0u);
    EXPECT_EQ(err.substr(err.find('\n') + 1), g_quindleUsage);
}

// A 100,000-character argument is quoted as its first characters and "...";
// a line break or an escape in it cannot start a second line or steer the terminal.
TEST_F(ShellCommandTest, AnUnknownArgumentIsQuotedShortOnOneLine)
{
    const std::string huge(100000, 'x');
    EXPECT_EQ(Run({huge.c_str()}), kExitUsage);
    std::string err = ReadBack(m_pErr);
    EXPECT_EQ(err.substr(0, err.find('\n') + 1), std::string(program_invocation_short_name) +
                                                      ": unexpected argument '" + std::string(kMaxQuotedChars, 'x') + "...'\n");
    std::rewind(m_pErr);
    EXPECT_EQ(Run({"--a\nb\x1b[2J\xc2\x9b"}), kExitUsage);
    err = ReadBack(m_pErr);
    EXPECT_EQ(err.find(": unknown option '--a?b?[2J?'\nUsage"), std::strlen(program_invocation_short_name)) << err;
}

TEST(QuoteText, CutsAfterWholeCharactersOnly)
{
    EXPECT_EQ(AfxQuoteText("short"), "short");
    EXPECT_EQ(AfxQuoteText(std::string(kMaxQuotedChars, 'a').c_str()), std::string(kMaxQuotedChars, 'a'));
    // Three-byte characters: the cut falls between them, never inside one.
    std::string kana;
    for (int i = 0; i < 50; ++i)
        kana += "\xe3\x81\x82";
    EXPECT_EQ(AfxQuoteText(kana.c_str(), 3), "\xe3\x81\x82\xe3\x81\x82\xe3\x81\x82...");
    // Stray continuation bytes after a lead byte are not one endless character.
    const std::string stray = "\xc3" + std::string(1000, '\x80');
    EXPECT_EQ(AfxQuoteText(stray.c_str(), 4).size(), 4u + 3u + 3u);
    EXPECT_EQ(AfxQuoteText(nullptr), "");
}

TEST_F(ShellCommandTest, NoArgumentsLetTheProgramRunAndPrintNothing)
{
    EXPECT_EQ(Run({}), kShellContinue);
    EXPECT_EQ(ReadBack(m_pOut), "");
    EXPECT_EQ(ReadBack(m_pErr), "");
}

TEST_F(ShellCommandTest, AFailedWriteIsNoSuccess)
{
    FILE* pFull = std::fopen("/dev/full", "w");
    ASSERT_NE(pFull, nullptr);
    EXPECT_EQ(AfxRunShellCommand(Parse({"--version"}), pFull, m_pErr), 1);
    std::fclose(pFull);
    EXPECT_NE(ReadBack(m_pErr).find("cannot write the output"), std::string::npos);
}

} // namespace
