// The main window over a cache of real game packages: the tree shows the listing's model, a
// double-click jumps to a required package, and a picture of the window is kept for people to see.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app_run.h"
#include "cache/cache_listing.h"
#include "cache/cached_file.h"
#include "cache/index_lookup.h"
#include "commands/messages.h"
#include "game/cache_contents.h"
#include "game_entry_override.h"
#include "screen_picture.h"
#include "support/corpus.h"
#include "support/temp_folder.h"
#include "tree_reader.h"
#include "ui_driver.h"
#include "win32/resource.h"

namespace thld::uitest {
namespace {

constexpr const char* kArchives = "DM-Bond 007 Goldeneye Archives.unr";

class RealCacheTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        THLD_REQUIRE_CORPUS();
        // The picture shows a game folder where a player would have one, not a test's own.
        if (std::getenv("THLD_SCREENSHOT")) {
            game = kPictureGame;
            std::filesystem::remove_all(kPictureGame);
        }
        test::LayOutGameFolder(game);
        entry.SetFolder(game);
    }
    void TearDown() override
    {
        if (game == kPictureGame)
            std::filesystem::remove_all(kPictureGame);
    }
    static constexpr const char* kPictureGame = "C:\\Games\\UnrealTournament\\";
    test::TempFolder temp;
    std::string game = temp / "UnrealTournament\\";
    GameEntryOverride entry;
};

TEST_F(RealCacheTest, TheTreeShowsEveryPackageWithItsKindSizeAndRequirements)
{
    Listing model = ListCacheContents(GameFolders{game, game + "cache\\"}, InstalledCopies::Skip).listing;
    ASSERT_EQ(model.items.size(), test::CorpusManifest().size());

    AppRun app;
    HWND main = app.MainWindow();
    ASSERT_TRUE(main);
    EXPECT_EQ(ItemText(main, IDC_TOTAL), "Total Cache: " + std::to_string(model.total / 1024) + "k bytes");
    auto tree = ReadTree(::GetDlgItem(main, IDC_CACHE_TREE));
    ASSERT_EQ(tree.size(), model.items.size());
    for (std::size_t i = 0; i < tree.size(); ++i) {
        const PackageItem& item = model.items[i];
        EXPECT_EQ(tree[i].text, item.name);
        EXPECT_EQ(tree[i].data, item.entryNumber);
        std::vector<std::string> children = {std::string(item.kind), item.sizeText};
        if (!item.requirements.empty())
            children.push_back("Requirements");
        ASSERT_EQ(TextsOf(tree[i].children), children) << item.name;
        if (!item.requirements.empty()) {
            EXPECT_EQ(TextsOf(tree[i].children[2].children), item.requirements) << item.name;
        }
    }
    EXPECT_EQ(TextsOf(NodeNamed(tree, kArchives).children[2].children),
              (std::vector<std::string>{"007Tex.utx", "Exp.u", "NBDeco.u", "Untitled.utx"}));
    EXPECT_EQ(NodeNamed(tree, "Q2DM1.utx").children.size(), 2u);
}

TEST_F(RealCacheTest, DoubleClickOnARequirementSelectsAndExpandsItsPackage)
{
    AppRun app;
    HWND main = app.MainWindow();
    ASSERT_TRUE(main);
    HWND tree = ::GetDlgItem(main, IDC_CACHE_TREE);
    const auto before = ReadTree(tree);
    const TreeNode& requirements = NodeNamed(NodeNamed(before, kArchives).children, "Requirements");
    HTREEITEM exp = NodeNamed(before, "Exp.u").item;

    DoubleClick(tree, NodeNamed(requirements.children, "Exp.u").item);
    ASSERT_TRUE(WaitFor([&] { return SelectedItem(tree) == exp; }));
    EXPECT_TRUE(NodeNamed(ReadTree(tree), "Exp.u").Expanded());

    // A double-click on a package item or on a Requirements node jumps nowhere.
    HTREEITEM archives = NodeNamed(before, kArchives).item;
    DoubleClick(tree, archives);
    DoubleClick(tree, requirements.item);
    ::Sleep(200);
    EXPECT_EQ(SelectedItem(tree), requirements.item);

    // A picture of the window for people to look at, when the test run asks for one: the map
    // ticked and opened down to its requirements, one of them selected.
    if (const char* picture = std::getenv("THLD_SCREENSHOT")) {
        ASSERT_TRUE(Tick(tree, archives));
        ASSERT_TRUE(Tick(tree, NodeNamed(before, "DM-Bond 007 Goldeneye Complex.unr").item));
        ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(archives));
        ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(requirements.item));
        ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                       reinterpret_cast<LPARAM>(NodeNamed(requirements.children, "NBDeco.u").item));
        ::SendMessageA(tree, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(archives));
        ::Sleep(300);
        EXPECT_TRUE(SaveScreenPicture(main, picture)) << picture;
    }
}

}  // namespace
}  // namespace thld::uitest
