#include "game/process_scanner.h"

#include <gtest/gtest.h>

namespace thld {
namespace {

TEST(ProcessNameRule, MatchesTheLastPartUpperCasedAndWholeOnly)
{
    const std::vector<std::string> names = {
        "[System Process]", "explorer.exe",     "C:\\UnrealTournament\\System\\UnrealTournament.exe",
        "MYUNREALED.EXE",   "UNREALED.EXE.OLD", "D:\\Tools\\"};
    EXPECT_TRUE(AnyProcessNamed(names, kGameName));
    EXPECT_FALSE(AnyProcessNamed(names, kEditorName));
    EXPECT_FALSE(AnyProcessNamed(names, kGameIconName));

    EXPECT_TRUE(AnyProcessNamed({"unrealed.exe"}, kEditorName));
    EXPECT_TRUE(AnyProcessNamed({"UnrealTournament.icd"}, kGameIconName));
    EXPECT_FALSE(AnyProcessNamed({}, kGameName));
}

TEST(ProcessNameRule, LastPartOfPaths)
{
    EXPECT_EQ(ComparableExeName("C:\\UT\\System\\unrealed.exe"), "UNREALED.EXE");
    EXPECT_EQ(ComparableExeName("UnrealEd.exe"), "UNREALED.EXE");
    EXPECT_EQ(ComparableExeName("C:\\UT\\"), "");
    EXPECT_EQ(ComparableExeName(""), "");
}

TEST(ProcessScanner, TheGuardKnowsTheWindowsAndTheNativeGames)
{
    struct Case {
        std::vector<std::string> running;
        const char* message;
    };
    const char* game =
        "Unreal Tournament has been detected running on this system.  Please shut it down before running this program.";
    const char* editor =
        "UnrealED has been detected running on this system.  Please shut it down before running this program.";
    const std::vector<Case> cases = {
        {{"bash", "UnrealTournament.exe"}, game},  // also under Wine
        {{"ut-bin"}, game},
        {{"UT-Bin-x86"}, game},
        {{"ut-bin-amd64", "UnrealEd.exe"}, game},
        {{"ut-bin-arm64"}, game},
        {{"UnrealTournament"}, game},  // macOS
        {{"UnrealEd.exe", "ut-bin-amd64.sh", "UnrealTournamen"}, editor},
        {{"ut", "bin", "UnrealTournament.app"}, nullptr},
    };
    for (const Case& c : cases) {
        ProcessScanner scanner([&] { return c.running; });
        EXPECT_STREQ(RunningGameMessage(scanner), c.message) << c.running.front();
    }
}

TEST(ProcessScanner, ReadsTheProcessListForEveryCheck)
{
    int reads = 0;
    std::vector<std::string> running = {"UnrealTournament.exe"};
    ProcessScanner scanner([&] {
        ++reads;
        return running;
    });
    EXPECT_TRUE(scanner.IsRunning(kGameName));
    running = {"UnrealEd.exe"};
    EXPECT_FALSE(scanner.IsRunning(kGameName));
    EXPECT_TRUE(scanner.IsRunning(kEditorName));
    EXPECT_EQ(reads, 3);
}

}  // namespace
}  // namespace thld
