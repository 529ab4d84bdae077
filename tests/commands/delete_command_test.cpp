#include <filesystem>

#include "commands/command_fixture.h"
#include "package/package_kind.h"
#include "support/kinds.h"

namespace thld::test {
namespace {

std::string DeleteQuestion(const std::string& name)
{
    return "Are you sure you want to delete this file?\r\n\r\n" + name;
}

using DeleteCommand = CommandTest;

TEST_F(DeleteCommand, AsksForEachTickedItemInTreeOrderAndListsAgainOnlyAfterAYes)
{
    Lay({{"K1", "One.unr", kMap}, {"K2", "Two.utx", kTex}, {"K3", "Three.unr", kMap}, {"K4", "Four", kMap}});
    const std::string before = ReadFileBytes(folders.cacheFolder + "cache.ini");

    ScriptedPrompt none;
    EXPECT_FALSE(Delete({false, false, false, false}, none));
    EXPECT_FALSE(Delete({}, none));
    EXPECT_TRUE(none.questions.empty());

    ScriptedPrompt allNo({false, false});
    EXPECT_FALSE(Delete({true, false, true}, allNo));
    EXPECT_EQ(allNo.questions.size(), 2u);
    EXPECT_EQ(ReadFileBytes(folders.cacheFolder + "cache.ini"), before);
    EXPECT_FALSE(temp.Exists("game/cache/cache.bak"));

    ScriptedPrompt secondNo({true, false, true});
    EXPECT_TRUE(Delete({true, true, false, true}, secondNo));
    ASSERT_EQ(secondNo.questions.size(), 3u);
    EXPECT_EQ(secondNo.questions[0].title, "Confirm Delete File");
    EXPECT_EQ(secondNo.questions[0].message, DeleteQuestion("One.unr"));
    EXPECT_EQ(secondNo.questions[1].message, DeleteQuestion("Two.utx"));
    EXPECT_EQ(secondNo.questions[2].message, DeleteQuestion("Four"));
    EXPECT_TRUE(secondNo.told.empty());
    EXPECT_EQ(IndexLines(), (std::vector<std::string>{"[Cache]", "K2=Two.utx", "K3=Three.unr"}));
    EXPECT_FALSE(IsCached("K1"));
    EXPECT_TRUE(IsCached("K2"));
    EXPECT_TRUE(IsCached("K3"));
    EXPECT_FALSE(IsCached("K4"));
}

TEST_F(DeleteCommand, AnItemWithoutALineAsksWithoutANameAndDeletesNothing)
{
    Lay({{"K1", "One.unr", kMap}});
    items.push_back(PackageItem{"Gone.unr", 9, "K9", kind::Map, "", 0, {}});

    ScriptedPrompt prompt({true});
    EXPECT_TRUE(Delete({false, true}, prompt));
    ASSERT_EQ(prompt.questions.size(), 1u);
    EXPECT_EQ(prompt.questions[0].message, DeleteQuestion(""));
    EXPECT_EQ(prompt.told, (std::vector<std::string>{"Error - Couldn't find filename"}));
    EXPECT_TRUE(IsCached("K1"));
    EXPECT_TRUE(InIndex("K1=One.unr"));
    EXPECT_FALSE(temp.Exists("game/cache/cache.bak"));  // cache.ini is not written for nothing
}

TEST_F(DeleteCommand, TheEntryGoesEvenWhenItsCachedFileHasVanished)
{
    Lay({{"K1", "One.unr", kMap}, {"K2", "Two.unr", kMap}});
    std::filesystem::remove(CachedPath("K1"));

    ScriptedPrompt prompt({true});
    EXPECT_TRUE(Delete({true}, prompt));
    EXPECT_TRUE(prompt.told.empty());
    EXPECT_EQ(IndexLines(), (std::vector<std::string>{"[Cache]", "K2=Two.unr"}));
}

TEST_F(DeleteCommand, OnlyTheFirstEqualsSignSplitsKeyFromName)
{
    Lay({{"K1", "a=b", kMap}, {"a", "b", kMap}});

    ScriptedPrompt prompt({true});
    EXPECT_TRUE(Delete({true}, prompt));
    EXPECT_EQ(prompt.questions[0].message, DeleteQuestion("a=b"));
    EXPECT_FALSE(IsCached("K1"));
    EXPECT_TRUE(IsCached("a"));
    EXPECT_EQ(IndexLines(), (std::vector<std::string>{"[Cache]", "a=b"}));
}

TEST_F(DeleteCommand, TwoItemsOfOneNameTakeTheMatchingLinesInTurn)
{
    Lay({{"K1", "Twin.utx", kTex}, {"K2", "Twin.utx", kTex}, {"K3", "Other.utx", kTex}});
    ScriptedPrompt both({true, true});
    EXPECT_TRUE(Delete({true, true}, both));
    EXPECT_EQ(both.questions[1].message, DeleteQuestion("Twin.utx"));
    EXPECT_FALSE(IsCached("K1"));
    EXPECT_FALSE(IsCached("K2"));
    EXPECT_EQ(IndexLines(), (std::vector<std::string>{"[Cache]", "K3=Other.utx"}));

    // No to the first: the second takes its own line, never the one the user refused.
    Lay({{"K1", "Twin.utx", kTex}, {"K2", "Twin.utx", kTex}});
    ScriptedPrompt firstNo({false, true});
    EXPECT_TRUE(Delete({true, true}, firstNo));
    EXPECT_EQ(firstNo.questions[1].message, DeleteQuestion("Twin.utx"));
    EXPECT_TRUE(IsCached("K1"));
    EXPECT_FALSE(IsCached("K2"));
    EXPECT_EQ(IndexLines(), (std::vector<std::string>{"[Cache]", "K1=Twin.utx"}));

    // Two items of one line: the package has gone with the first, and the second is passed over.
    Lay({{"K1", "Twin.utx", kTex}});
    items.push_back(items[0]);
    ScriptedPrompt oneLine({true});
    EXPECT_TRUE(Delete({true, true}, oneLine));
    EXPECT_EQ(oneLine.questions.size(), 1u);
    EXPECT_TRUE(oneLine.told.empty());
}

// A cached file that can't be deleted keeps its line: the file error ends the run, and nothing of
// this package or the next has changed.
TEST_F(DeleteCommand, ACachedFileThatCantGoEndsTheRunWithItsEntryKept)
{
    namespace fs = std::filesystem;
    struct Case {
        const char* what;
        bool holdOpen;  // else read-only
        FileErrorCause cause;
    };
    std::vector<Case> cases = {{"read-only", false, FileErrorCause::AccessDenied}};
#ifdef _WIN32
    cases.push_back({"held open elsewhere", true, FileErrorCause::Sharing});
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Lay({{"K1", "One.unr", kMap}, {"K2", "Two.unr", kMap}});
        const auto before = Snapshot(Path("cache"));
        std::optional<InputFile> held;
        if (c.holdOpen)
            held = InputFile::OpenUnshared(CachedPath("K1"));
        else
            fs::permissions(CachedPath("K1"), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                            fs::perm_options::remove);

        ScriptedPrompt prompt({true, true});
        try {
            Delete({true, true}, prompt);
            ADD_FAILURE() << "no file error";
        } catch (const FileError& error) {
            EXPECT_EQ(error.Cause(), c.cause);
        }
        held.reset();
        fs::permissions(CachedPath("K1"), fs::perms::owner_write, fs::perm_options::add);
        EXPECT_EQ(prompt.questions.size(), 1u);  // the second item is not handled
        EXPECT_EQ(Snapshot(Path("cache")), before);
    }
}

}  // namespace
}  // namespace thld::test
