// Delete and Permanent through the real buttons and dialogs, checked on disk and in the rebuilt tree.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "app_run.h"
#include "game_entry_override.h"
#include "game_fixtures.h"
#include "support/fake_cache.h"
#include "tree_reader.h"
#include "ui_driver.h"
#include "win32/resource.h"

namespace thld::uitest {
namespace {

// The index text without the line of this key.
std::string WithoutLine(std::string text, const std::string& key)
{
    std::size_t at = text.find(key + "=");
    text.erase(at, text.find('\n', at) + 1 - at);
    return text;
}

class CommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        entry.SetFolder(game);
        index = test::ReadFileBytes(game + "cache\\cache.ini");
        app.emplace();
        main = app->MainWindow();
        ASSERT_TRUE(main);
        tree = ::GetDlgItem(main, IDC_CACHE_TREE);
    }
    bool TickItem(const std::string& text) { return Tick(tree, NodeNamed(ReadTree(tree), text).item); }
    std::string Without(const std::string& key) const { return WithoutLine(index, key); }

    test::TempFolder temp;
    std::string game = MakeSmallGameFolder(temp, "UT");
    GameEntryOverride entry;
    std::string index;
    std::optional<AppRun> app;
    HWND main = nullptr;
    HWND tree = nullptr;
};

TEST_F(CommandsTest, DeleteRemovesTheAgreedPackageOnlyAndListsTheCacheAgain)
{
    ASSERT_TRUE(TickItem("Map1.unr"));
    ASSERT_TRUE(TickItem("Code1.u"));
    Press(main, IDC_DELETE);
    EXPECT_EQ(AnswerQuestion("Confirm Delete File", true),
              "Are you sure you want to delete this file?\r\n\r\nMap1.unr");
    EXPECT_EQ(AnswerQuestion("Confirm Delete File", false),
              "Are you sure you want to delete this file?\r\n\r\nCode1.u");
    ASSERT_TRUE(app->ListedWith({"Tex1.utx", "Code1.u", "Junk.umx"}));

    EXPECT_FALSE(std::filesystem::exists(CachedFile(game, kMapKey)));
    EXPECT_TRUE(std::filesystem::exists(CachedFile(game, kCodeKey)));
    EXPECT_EQ(test::ReadFileBytes(game + "cache\\cache.ini"), Without(kMapKey));
    EXPECT_EQ(test::ReadFileBytes(game + "cache\\cache.bak"), index);
    auto after = ReadTree(tree);
    EXPECT_FALSE(after[1].Ticked()) << "a new listing has no ticks";
    EXPECT_EQ(TextsOf(after[1].children), (std::vector<std::string>{"Script", "2k bytes", "Requirements"}));
    EXPECT_EQ(after[1].data, 2);
}

TEST_F(CommandsTest, PermanentMovesTheRequiredPackagesFirstAndAsksBeforeReplacing)
{
    const std::string map = test::ReadFileBytes(CachedFile(game, kMapKey));
    const std::string tex = test::ReadFileBytes(CachedFile(game, kTexKey));
    const std::string code = test::ReadFileBytes(CachedFile(game, kCodeKey));
    test::WriteFileBytes(game + "Maps\\Map1.unr", "an older Map1");

    ASSERT_TRUE(TickItem("Map1.unr"));
    Press(main, IDC_PERMANENT);
    EXPECT_EQ(AnswerQuestion("Confirm Move File", true),
              "Are you sure you want to make this file permanent?\r\n\r\nMap1.unr");
    EXPECT_EQ(AnswerQuestion("Confirm Replace File", true),
              "This file already exists at " + game + "Maps\\Map1.unr\r\nAre you sure you want to replace it?");
    ASSERT_TRUE(app->ListedWith({"Junk.umx"}));

    EXPECT_EQ(test::ReadFileBytes(game + "Textures\\Tex1.utx"), tex);
    EXPECT_EQ(test::ReadFileBytes(game + "System\\Code1.u"), code);
    EXPECT_EQ(test::ReadFileBytes(game + "Maps\\Map1.unr"), map);
    for (const char* key : {kMapKey, kTexKey, kCodeKey})
        EXPECT_FALSE(std::filesystem::exists(CachedFile(game, key))) << key;
    // Each move removed its own line; the map's went last.
    EXPECT_EQ(test::ReadFileBytes(game + "cache\\cache.bak"), WithoutLine(Without(kTexKey), kCodeKey));
    EXPECT_EQ(test::ReadFileBytes(game + "cache\\cache.ini"),
              std::string("[Cache]\r\n") + kJunkKey + "=Junk.umx\r\nMISSING=Gone.unr\r\n\r\n");
}

TEST_F(CommandsTest, AFileErrorEndsTheCommandWithTheStopIconAndNoNewListing)
{
    ASSERT_TRUE(::SetFileAttributesA(CachedFile(game, kMapKey).c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(TickItem("Map1.unr"));
    Press(main, IDC_DELETE);
    AnswerQuestion("Confirm Delete File", true);
    MessageBoxSeen box = AnswerMessageBox();
    EXPECT_EQ(box.text, "Access to an unnamed file was denied.");
    EXPECT_TRUE(box.stop);

    EXPECT_EQ(test::ReadFileBytes(game + "cache\\cache.ini"), index) << "the entry stays with its file";
    EXPECT_TRUE(std::filesystem::exists(CachedFile(game, kMapKey)));
    auto after = ReadTree(tree);
    ASSERT_EQ(after.size(), 4u);
    EXPECT_TRUE(after[0].Ticked()) << "the tree was not built again";
    EXPECT_FALSE(::IsWindowVisible(app->WaitWindow()));
}

TEST_F(CommandsTest, TicksSetByClickAndBySpaceAreTheOnesTheCommandsTake)
{
    auto roots = ReadTree(tree);
    ASSERT_TRUE(ClickTick(tree, roots[0].item));  // Map1.unr
    ASSERT_TRUE(ClickTick(tree, roots[2].item));  // Code1.u, ticked ...
    ASSERT_TRUE(ClickTick(tree, roots[2].item));  // ... and unticked again
    ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(roots[1].item));
    ASSERT_TRUE(SpaceTick(tree));  // Tex1.utx
    Press(main, IDC_DELETE);
    const std::string question = "Are you sure you want to delete this file?\r\n\r\n";
    EXPECT_EQ(AnswerQuestion("Confirm Delete File", false), question + "Map1.unr");
    EXPECT_EQ(AnswerQuestion("Confirm Delete File", true), question + "Tex1.utx");
    // No question about Code1.u came before the new listing.
    ASSERT_TRUE(app->ListedWith({"Map1.unr", "Code1.u", "Junk.umx"}));
    EXPECT_FALSE(std::filesystem::exists(CachedFile(game, kTexKey)));
}

TEST(UnicodeCommandsTest, NamesOutsideTheCodePageAreShownAskedAboutAndMovedUnderThemselves)
{
    const std::string map = "\xE3\x83\x9E\xE3\x83\x83\xE3\x83\x97.unr";  // マップ.unr
    const std::string smile = "\xF0\x9F\x98\x80.utx";                    // U+1F600
    test::TempFolder temp;
    for (const char* sub : {"UT/cache", "UT/Maps", "UT/System", "UT/Textures"})
        temp.MakeFolder(sub);
    const std::string game = temp / "UT\\";
    test::WriteFileBytes(CachedFile(game, "K1"), "\xC1\x83\x2A\x9E" + test::KindWords(kind::Map));
    test::WriteFileBytes(CachedFile(game, "K2"), "\xC1\x83\x2A\x9E" + test::KindWords(kind::Textures));
    test::WriteFileBytes(game + "cache\\cache.ini", "\xEF\xBB\xBF[Cache]\r\nK1=" + map + "\r\nK2=" + smile + "\r\n");
    GameEntryOverride entry;
    entry.SetFolder(game);
    AppRun app;
    HWND main = app.MainWindow();
    ASSERT_TRUE(main);
    HWND tree = ::GetDlgItem(main, IDC_CACHE_TREE);
    ASSERT_TRUE(app.ListedWith({map, smile}));

    ASSERT_TRUE(Tick(tree, NodeNamed(ReadTree(tree), smile).item));
    Press(main, IDC_PERMANENT);
    EXPECT_EQ(AnswerQuestion("Confirm Move File", true),
              "Are you sure you want to make this file permanent?\r\n\r\n" + smile);
    ASSERT_TRUE(app.ListedWith({map}));
    EXPECT_TRUE(temp.Exists("UT/Textures/" + smile));

    ASSERT_TRUE(Tick(tree, NodeNamed(ReadTree(tree), map).item));
    Press(main, IDC_DELETE);
    EXPECT_EQ(AnswerQuestion("Confirm Delete File", true), "Are you sure you want to delete this file?\r\n\r\n" + map);
    ASSERT_TRUE(app.ListedWith({}));
    EXPECT_FALSE(temp.Exists("UT/cache/K1.uxx"));
}

}  // namespace
}  // namespace thld::uitest
