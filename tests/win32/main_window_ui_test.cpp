// The main window over a cache: what start-up shows, and the window's own controls.
#include <gtest/gtest.h>

#include "app_run.h"
#include "game_entry_override.h"
#include "game_fixtures.h"
#include "tree_reader.h"
#include "ui_driver.h"
#include "win32/resource.h"

namespace thld::uitest {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    test::TempFolder temp;
    GameEntryOverride entry;
    std::string game = MakeSmallGameFolder(temp);
};

TEST_F(MainWindowTest, ListsTheCacheIntoTheTreeWithKindsSizesAndRequirements)
{
    entry.SetFolder(game.substr(0, game.size() - 1));
    AppRun app;
    HWND main = app.MainWindow();
    ASSERT_TRUE(main);

    EXPECT_EQ(ItemText(main, IDC_CACHE_PATH), game + "cache\\");
    EXPECT_EQ(ItemText(main, IDC_TOTAL), "Total Cache: 10k bytes");  // 5000 + 3100 + 2100 + 600 bytes
    auto tree = ReadTree(::GetDlgItem(main, IDC_CACHE_TREE));
    ASSERT_EQ(TextsOf(tree), (std::vector<std::string>{"Map1.unr", "Tex1.utx", "Code1.u", "Junk.umx"}));
    // Item data: entry numbers from the header's line (1); the missing file's entry has none.
    EXPECT_EQ(tree[0].data, 1);
    EXPECT_EQ(tree[3].data, 4);
    EXPECT_EQ(TextsOf(tree[0].children), (std::vector<std::string>{"Map", "4k bytes", "Requirements"}));
    EXPECT_EQ(TextsOf(tree[0].children[2].children), (std::vector<std::string>{"Tex1.utx", "Code1.u"}));
    EXPECT_EQ(TextsOf(tree[1].children), (std::vector<std::string>{"Textures/Skins", "3k bytes"}));
    EXPECT_EQ(TextsOf(tree[2].children), (std::vector<std::string>{"Script", "2k bytes", "Requirements"}));
    EXPECT_EQ(TextsOf(tree[2].children[2].children), std::vector<std::string>{"Tex1.utx"});
    EXPECT_EQ(TextsOf(tree[3].children), (std::vector<std::string>{"Unknown Type", "0k bytes"}));
    for (const TreeNode& node : tree) {
        EXPECT_FALSE(node.Ticked()) << node.text;
        for (const TreeNode& child : node.children)
            EXPECT_EQ(child.data, 0) << child.text;
    }

    // The wait window has done its work and is hidden.
    HWND wait = app.WaitWindow();
    ASSERT_TRUE(wait);
    EXPECT_FALSE(::IsWindowVisible(wait));
    EXPECT_EQ(ItemText(wait, IDC_STATUS), "Determining Relationships");

    Press(main, IDCANCEL);
    EXPECT_TRUE(app.WaitForEnd());
}

}  // namespace
}  // namespace thld::uitest
