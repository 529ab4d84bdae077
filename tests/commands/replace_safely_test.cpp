#include <filesystem>

#include "commands/command_fixture.h"
#include "package/package_kind.h"
#include "support/kinds.h"

namespace thld::test {
namespace {

namespace fs = std::filesystem;

// A replacement that fails at any step leaves the player's file, the cached file and its line as
// they were, and the file error goes on; the next ticked item is not handled.
class Replacing : public CommandTest {
protected:
    void SetUp() override
    {
        Lay({{"K1", "Arena.unr", kMap}, {"K2", "Next.utx", kTex}});
        temp.Write("game/Maps/Arena.unr", "the player's own");
    }

    void ExpectNothingLost(ScriptedPrompt& prompt)
    {
        EXPECT_EQ(prompt.Titles(), (std::vector<std::string>{"Confirm Move File", "Confirm Replace File"}));
        EXPECT_EQ(temp.Read("game/Maps/Arena.unr"), "the player's own");
        EXPECT_EQ(Snapshot(Path("Maps")).size(), 1u);
        EXPECT_EQ(ReadFileBytes(CachedPath("K1")), PackageBytes(kMap, "K1"));
        EXPECT_EQ(IndexLines(), (std::vector<std::string>{"[Cache]", "K1=Arena.unr", "K2=Next.utx"}));
    }
};

TEST_F(Replacing, AFailedMoveOfTheCachedFileKeepsEverything)
{
    MoveWatch watch;
    watch.FailMoveFrom(CachedPath("K1"));
    ScriptedPrompt prompt({true, true, true});
    EXPECT_THROW(Permanent({true, true}, prompt), FileError);
    ExpectNothingLost(prompt);
}

TEST_F(Replacing, AFailedMoveOfTheOldFileKeepsEverything)
{
    MoveWatch watch;
    watch.FailMoveFrom(Path("Maps/Arena.unr"), FileErrorCause::Sharing);
    ScriptedPrompt prompt({true, true, true});
    EXPECT_THROW(Permanent({true, true}, prompt), FileError);
    ExpectNothingLost(prompt);
}

TEST_F(Replacing, AnOldFileThatCantBeDeletedIsPutBack)
{
    fs::permissions(Path("Maps/Arena.unr"), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    ScriptedPrompt prompt({true, true, true});
    try {
        Permanent({true, true}, prompt);
        FAIL() << "no file error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.Cause(), FileErrorCause::AccessDenied);
    }
    ExpectNothingLost(prompt);
}

#ifdef _WIN32
TEST_F(Replacing, ACachedFileHeldOpenElsewhereKeepsEverything)
{
    auto held = InputFile::OpenUnshared(CachedPath("K1"));
    ASSERT_TRUE(held);
    ScriptedPrompt prompt({true, true});
    EXPECT_THROW(Permanent({true}, prompt), FileError);
    held.reset();
    EXPECT_EQ(temp.Read("game/Maps/Arena.unr"), "the player's own");
    EXPECT_EQ(Snapshot(Path("Maps")).size(), 1u);
    EXPECT_EQ(ReadFileBytes(CachedPath("K1")), PackageBytes(kMap, "K1"));
    EXPECT_TRUE(InIndex("K1=Arena.unr"));
}

TEST_F(Replacing, ADestinationHeldOpenElsewhereCountsAsAbsentAndTheMoveFails)
{
    auto held = InputFile::OpenUnshared(Path("Maps/Arena.unr"));
    ASSERT_TRUE(held);
    ScriptedPrompt prompt({true});
    EXPECT_THROW(Permanent({true, true}, prompt), FileError);
    held.reset();
    EXPECT_EQ(prompt.questions.size(), 1u);
    EXPECT_EQ(temp.Read("game/Maps/Arena.unr"), "the player's own");
    EXPECT_TRUE(IsCached("K1"));
    EXPECT_TRUE(InIndex("K1=Arena.unr"));
}
#endif

}  // namespace
}  // namespace thld::test
