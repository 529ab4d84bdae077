#include "game/process_scanner.h"

#include <gtest/gtest.h>

namespace thld {
namespace {

bool ShiftJisLead(unsigned char byte) { return byte == 0x83 || byte == 0x95; }

TEST(ProcessNameRule, MatchesTheLastPartUpperCasedAndWholeOnly)
{
    const std::vector<std::string> names = {
        "[System Process]", "explorer.exe",     "C:\\UnrealTournament\\System\\UnrealTournament.exe",
        "MYUNREALED.EXE",   "UNREALED.EXE.OLD", "D:\\Tools\\"};
    EXPECT_TRUE(AnyProcessNamed(names, kGameName, NoLeadBytes));
    EXPECT_FALSE(AnyProcessNamed(names, kEditorName, NoLeadBytes));
    EXPECT_FALSE(AnyProcessNamed(names, kGameIconName, NoLeadBytes));

    EXPECT_TRUE(AnyProcessNamed({"unrealed.exe"}, kEditorName, NoLeadBytes));
    EXPECT_TRUE(AnyProcessNamed({"UnrealTournament.icd"}, kGameIconName, NoLeadBytes));
    EXPECT_FALSE(AnyProcessNamed({}, kGameName, NoLeadBytes));
}

TEST(ProcessNameRule, LastPartOfPaths)
{
    EXPECT_EQ(ComparableExeName("C:\\UT\\System\\unrealed.exe", NoLeadBytes), "UNREALED.EXE");
    EXPECT_EQ(ComparableExeName("UnrealEd.exe", NoLeadBytes), "UNREALED.EXE");
    EXPECT_EQ(ComparableExeName("C:\\UT\\", NoLeadBytes), "");
    EXPECT_EQ(ComparableExeName("", NoLeadBytes), "");
}

TEST(ProcessNameRule, TwoByteCharactersAreNeitherSplitNorUpperCased)
{
    // 0x83 0x5C is one character whose second byte looks like a backslash.
    const std::string hidden = "C:\\Games\\\x83\\UnrealEd.exe";
    EXPECT_EQ(ComparableExeName(hidden, ShiftJisLead), "\x83\\UNREALED.EXE");
    EXPECT_FALSE(AnyProcessNamed({hidden}, kEditorName, ShiftJisLead));
    EXPECT_TRUE(AnyProcessNamed({hidden}, kEditorName, NoLeadBytes));
    EXPECT_EQ(ComparableExeName("\x95"
                                "a.exe",
                                ShiftJisLead),
              "\x95"
              "a.EXE");
}

TEST(ProcessScanner, TheGuardKnowsTheWindowsAndTheNativeGames)
{
    struct Case {
        std::vector<std::string> running;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{"bash", "UnrealTournament.exe"}, kGameRunningMessage},  // also under Wine
        {{"ut-bin"}, kGameRunningMessage},
        {{"UT-Bin-x86"}, kGameRunningMessage},
        {{"ut-bin-amd64", "UnrealEd.exe"}, kGameRunningMessage},
        {{"ut-bin-arm64"}, kGameRunningMessage},
        {{"UnrealTournament"}, kGameRunningMessage},  // macOS
        {{"UnrealEd.exe", "ut-bin-amd64.sh", "UnrealTournamen"}, kEditorRunningMessage},
        {{"ut", "bin", "UnrealTournament.app"}, nullptr},
    };
    for (const Case& c : cases) {
        ProcessScanner scanner([&] { return c.running; }, NoLeadBytes);
        EXPECT_STREQ(RunningGameMessage(scanner), c.message) << c.running.front();
    }
}

TEST(ProcessScanner, ReadsTheProcessListForEveryCheck)
{
    int reads = 0;
    std::vector<std::string> running = {"UnrealTournament.exe"};
    ProcessScanner scanner(
        [&] {
            ++reads;
            return running;
        },
        NoLeadBytes);
    EXPECT_TRUE(scanner.IsRunning(kGameName));
    running = {"UnrealEd.exe"};
    EXPECT_FALSE(scanner.IsRunning(kGameName));
    EXPECT_TRUE(scanner.IsRunning(kEditorName));
    EXPECT_EQ(reads, 3);
}

}  // namespace
}  // namespace thld
