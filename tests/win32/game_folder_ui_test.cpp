// The game folder on screen: a missing registry entry, the Change button, and the empty-cache
// question.
#include <gtest/gtest.h>

#include <optional>

#include "app_run.h"
#include "game/game_folder.h"
#include "game_entry_override.h"
#include "game_fixtures.h"
#include "platform/registry.h"
#include "tree_reader.h"
#include "ui_driver.h"
#include "win32/resource.h"

namespace thld::uitest {
namespace {

constexpr const char* kPicker = "Select UT Folder (ex. C:\\UnrealTournament)";

class GameFolderTest : public ::testing::Test {
protected:
    test::TempFolder temp;
    GameEntryOverride entry;
    std::string game = MakeSmallGameFolder(temp, "UT");
    std::string gameValue = game.substr(0, game.size() - 1);
};

// A picker that answers from the test instead of the system's window.
class ChosenFolder : public FolderPicker {
public:
    explicit ChosenFolder(std::string folder) : folder_(std::move(folder)) {}
    std::optional<std::string> Pick(const std::string&) override { return folder_; }

private:
    std::string folder_;
};

TEST_F(GameFolderTest, WithoutTheEntryTheMessageAndThePickerComeBeforeTheMainWindow)
{
    struct Case {
        bool keyOnly;
        const char* message;
    };
    for (const Case& c : {Case{false, kNoGameEntryMessage}, Case{true, kNoFolderValueMessage}}) {
        if (c.keyOnly)
            entry.SetKeyOnly();
        else
            entry.Remove();
        AppRun app;
        ASSERT_TRUE(WaitForWindow("THLD"));
        HWND wait = app.WaitWindow();
        ASSERT_TRUE(wait);
        EXPECT_TRUE(::IsWindowVisible(wait));
        EXPECT_EQ(ItemText(wait, IDC_STATUS), "");
        EXPECT_TRUE(VisibleWindows(kMainTitle).empty());

        MessageBoxSeen box = AnswerMessageBox();
        EXPECT_EQ(box.text, c.message);
        EXPECT_TRUE(box.exclamation);
        ASSERT_TRUE(CancelFolderPicker(kPicker));

        HWND main = app.MainWindow();
        ASSERT_TRUE(main);
        EXPECT_EQ(ItemText(main, IDC_CACHE_PATH), "Cache Path");
        EXPECT_EQ(ItemText(main, IDC_TOTAL), "Total Cache: 0k bytes");
        EXPECT_TRUE(ReadTree(::GetDlgItem(main, IDC_CACHE_TREE)).empty());
        EXPECT_EQ(GameEntryOverride::Folder32(), std::nullopt);
        Press(main, IDCANCEL);
        EXPECT_TRUE(app.WaitForEnd());
    }
}

TEST_F(GameFolderTest, ChangeAnsweredNoOrWithACancelledPickerChangesNothing)
{
    entry.SetFolder(gameValue);
    AppRun app;
    HWND main = app.MainWindow();
    ASSERT_TRUE(main);
    HWND tree = ::GetDlgItem(main, IDC_CACHE_TREE);
    // A tick survives only as long as the tree is not built again.
    ASSERT_TRUE(Tick(tree, ReadTree(tree)[1].item));

    Press(main, IDC_CHANGE);
    EXPECT_EQ(AnswerQuestion("Change Unreal Tournament Folder", false),
              "Do you want to change Unreal Tournament Folders?");
    Press(main, IDC_CHANGE);
    EXPECT_EQ(AnswerQuestion("Change Unreal Tournament Folder", true),
              "Do you want to change Unreal Tournament Folders?");
    EXPECT_TRUE(CancelFolderPicker(kPicker));

    auto after = ReadTree(tree);
    ASSERT_EQ(after.size(), 4u);
    EXPECT_TRUE(after[1].Ticked());
    EXPECT_EQ(ItemText(main, IDC_CACHE_PATH), game + "cache\\");
    EXPECT_EQ(GameEntryOverride::Folder32(), gameValue);
}

TEST_F(GameFolderTest, ChangeToAnotherFolderStoresItAndListsThatCache)
{
    std::string other = MakeSmallGameFolder(temp, "Other");
    test::WriteFileBytes(other + "cache\\cache.ini", std::string("[Cache]\r\n") + kTexKey + "=Tex1.utx\r\n");
    entry.SetFolder(gameValue);
    ChosenFolder picker(other);
    ApplicationParts parts;
    parts.folderPicker = &picker;
    AppRun app(parts);
    HWND main = app.MainWindow();
    ASSERT_TRUE(main);

    Press(main, IDC_CHANGE);
    AnswerQuestion("Change Unreal Tournament Folder", true);
    ASSERT_TRUE(app.ListedWith({"Tex1.utx"}));
    EXPECT_EQ(ItemText(main, IDC_CACHE_PATH), other + "cache\\");
    EXPECT_EQ(GameEntryOverride::Folder32(), other.substr(0, other.size() - 1));
    EXPECT_EQ(ItemText(main, IDC_TOTAL), "Total Cache: 3k bytes");
}

TEST_F(GameFolderTest, WithOnlySteamsUninstallEntryTheGameOpensWithoutAQuestionAndNothingIsStored)
{
    const std::string steamEntry = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Steam App 13240";
    struct SteamEntry {
        SteamEntry(const std::string& key, const std::string& folder) : key(key)
        {
            EXPECT_EQ(
                WriteRegistryString(RegistryHive::LocalMachine, RegistryView::Bits32, key, "InstallLocation", folder),
                0u);
        }
        ~SteamEntry() { ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), KEY_WOW64_32KEY, 0); }
        std::string key;
    } steam(steamEntry, gameValue);
    test::WriteFileBytes(game + "System\\UnrealTournament.exe", "");
    test::WriteFileBytes(game + "cache\\cache.ini", std::string("[Cache]\r\n") + kTexKey + "=Tex1.utx\r\n");
    entry.Remove();
    AppRun app;
    ASSERT_TRUE(app.ListedWith({"Tex1.utx"}));
    EXPECT_EQ(ItemText(app.MainWindow(), IDC_CACHE_PATH), game + "cache\\");
    EXPECT_EQ(GameEntryOverride::Folder32(), std::nullopt);
}

TEST_F(GameFolderTest, TheCacheFolderThatTheGameSettingsNameIsShownAndListed)
{
    temp.MakeFolder("UT/Downloads");
    test::WriteFileBytes(game + "Downloads\\" + kTexKey + ".uxx", test::ReadFileBytes(CachedFile(game, kTexKey)));
    test::WriteFileBytes(game + "Downloads\\cache.ini", std::string("[Cache]\r\n") + kTexKey + "=Tex1.utx\r\n");
    test::WriteFileBytes(game + "System\\UnrealTournament.ini", "[Core.System]\r\nCachePath=..\\Downloads\r\n");
    entry.SetFolder(gameValue);
    AppRun app;
    ASSERT_TRUE(app.ListedWith({"Tex1.utx"}));
    EXPECT_EQ(ItemText(app.MainWindow(), IDC_CACHE_PATH), game + "Downloads\\");
}

std::string EmptyCacheMessage(const std::string& gameFolder)
{
    return "Your Unreal Tournament Cache Folder appears to be empty.  This could be because the wrong path has "
           "been selected or because the Cache Folder really is empty.\r\nCurrent Path: " +
           gameFolder + "\r\nWould you like to select your Unreal Tournament Folder manually now?";
}

TEST_F(GameFolderTest, EmptyCacheQuestionYesWithACancelledPickerKeepsTheWindowOpen)
{
    test::WriteFileBytes(game + "cache\\cache.ini", "");
    entry.SetFolder(gameValue);
    AppRun app;
    EXPECT_EQ(AnswerQuestion("Cache Folder Appears to be Empty", true), EmptyCacheMessage(game));
    ASSERT_TRUE(CancelFolderPicker(kPicker));
    HWND main = app.MainWindow();
    ASSERT_TRUE(main);
    EXPECT_EQ(ItemText(main, IDC_CACHE_PATH), game + "cache\\");
    EXPECT_TRUE(ReadTree(::GetDlgItem(main, IDC_CACHE_TREE)).empty());
    EXPECT_FALSE(::IsWindowVisible(app.WaitWindow()));
}

TEST_F(GameFolderTest, AMissingIndexIsReportedAndNoToTheQuestionEndsTheProgram)
{
    test::TempFolder elsewhere;
    std::string bare = elsewhere / "NoCache\\";
    entry.SetFolder(bare);
    AppRun app;
    MessageBoxSeen box = AnswerMessageBox();
    EXPECT_EQ(box.text, "Error reading file " + bare + "cache\\cache.ini");
    EXPECT_TRUE(box.exclamation);
    EXPECT_EQ(AnswerQuestion("Cache Folder Appears to be Empty", false), EmptyCacheMessage(bare));
    EXPECT_TRUE(app.WaitForEnd());
    EXPECT_TRUE(VisibleWindows(kMainTitle).empty());
}

TEST_F(GameFolderTest, AHeaderWithoutEntriesGivesAnEmptyTreeAndNoQuestion)
{
    test::WriteFileBytes(game + "cache\\cache.ini", "[CACHE]\r\n");
    entry.SetFolder(gameValue);
    AppRun app;
    HWND main = app.MainWindow();
    ASSERT_TRUE(main);
    EXPECT_TRUE(ReadTree(::GetDlgItem(main, IDC_CACHE_TREE)).empty());
    EXPECT_EQ(ItemText(main, IDC_TOTAL), "Total Cache: 0k bytes");
    EXPECT_EQ(ItemText(app.WaitWindow(), IDC_STATUS), "Reviewing Cache File Types");
    EXPECT_FALSE(::IsWindowVisible(app.WaitWindow()));
}

}  // namespace
}  // namespace thld::uitest
