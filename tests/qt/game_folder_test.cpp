// The flows around the game folder: the first run, Change, the empty-cache question and the
// running-game guard; the platform's message boxes; the window's layout kept between runs.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "commands/messages.h"
#include "game/process_scanner.h"
#include "qt/qt_text.h"
#include "qt/window_layout.h"
#include "qt/window_program.h"
#include "support/corpus.h"
#include "support/fake_cache.h"
#include "support/guard_texts.h"
#include "window_fixture.h"

namespace thld::test {
namespace {

TEST_F(WindowTest, TheGameFolderIsAskedForWhenNotStoredAndChangedOnRequest)
{
    THLD_REQUIRE_CORPUS();
    const std::string other = temp / "other/";
    LayOutGameFolder(game);
    LayOutGameFolder(other, {false, {"DM-Flux.unr", "ECM.u"}});
    const std::string noEntry =
        "? Tallyhold: Tallyhold doesn't know yet where Unreal Tournament is installed.\r\n"
        "Choose the game's folder (the one that holds System and Maps).";
    const std::string change = "? Change Unreal Tournament Folder: Do you want to change Unreal Tournament Folders?";
    const std::size_t all = CorpusManifest().size();
    struct Case {
        const char* name;
        bool stored;  // the entry names the game folder, and the user presses Change
        std::deque<bool> answers;
        std::deque<std::optional<std::string>> chosen;  // by the folder chooser, in order
        std::vector<std::string> said;
        std::string shownCache;  // the cache folder above the tree
        std::size_t rows;
    };
    const std::vector<Case> cases = {
        {"first run, Cancel in the box", false, {false}, {}, {noEntry}, "Cache Path", 0},
        {"first run, chooser cancelled", false, {true}, {std::nullopt}, {noEntry}, "Cache Path", 0},
        {"first run, chosen", false, {true}, {game}, {noEntry}, game + "cache/", all},
        {"change, No", true, {false}, {}, {change}, game + "cache/", all},
        {"change, cancelled", true, {true}, {std::nullopt}, {change}, game + "cache/", all},
        {"change, chosen", true, {true}, {other}, {change}, other + "cache/", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        store = FakeStore();
        if (c.stored)
            store.value = game;
        chooser.answers = c.chosen;
        chooser.titles.clear();
        dialogs.answers = c.answers;
        dialogs.said.clear();
        Open();
        if (c.stored) {
            Click("changeButton");
            WaitIdle();
        }
        EXPECT_EQ(dialogs.said, c.said);
        EXPECT_EQ(chooser.titles,
                  std::vector<std::string>(c.chosen.size(),
                                           "Choose the Unreal Tournament folder (such as ~/UnrealTournament)"));
        EXPECT_EQ(FromQt(Text("pathLabel")), c.shownCache);
        EXPECT_EQ(Model().rowCount(), static_cast<int>(c.rows));
        // Why the tree is empty, and what to do, where the first chooser was cancelled.
        EXPECT_EQ(FromQt(Text("totalLabel")).find("Press Change") != std::string::npos, c.shownCache == "Cache Path");
        EXPECT_EQ(store.written.size(), c.chosen.size() == 1 && c.chosen.front() ? 1u : 0u);
        EXPECT_TRUE(window->isVisible());
        window.reset();
    }
}

TEST_F(WindowTest, AChooserBesideChangeOpensAnotherInstallationFound)
{
    THLD_REQUIRE_CORPUS();
    const std::string steamapps = temp / ".local/share/Steam/steamapps/";
    const std::string steamGame = steamapps + "common/UT/";
    LayOutGameFolder(game);
    LayOutGameFolder(steamGame, {false, {"DM-Flux.unr", "ECM.u"}});
    WriteFileBytes(steamGame + "System/UnrealTournament.exe", "");
    WriteFileBytes(steamapps + "appmanifest_13240.acf", "\"AppState\" { \"installdir\" \"UT\" }");
    places.searchLaunchers = true;
    store.value = game.substr(0, game.size() - 1);
    Open();
    auto* installs = Find<QComboBox>("installChooser");
    ASSERT_EQ(installs->count(), 2);
    EXPECT_TRUE(installs->isVisibleTo(window.get()));
    EXPECT_EQ(FromQt(Text("pathLabel")), game + "cache/");

    emit installs->activated(1);
    WaitIdle();
    EXPECT_EQ(FromQt(Text("pathLabel")), steamGame + "cache/");
    EXPECT_EQ(Model().rowCount(), 2);
    EXPECT_TRUE(store.written.empty());
    EXPECT_TRUE(dialogs.said.empty());
}

TEST_F(WindowTest, AnEmptyOrUnreadableCacheAsksWhetherToChooseTheFolder)
{
    THLD_REQUIRE_CORPUS();
    const std::string question =
        "? Cache Folder Appears to be Empty: Your Unreal Tournament Cache Folder appears to be empty.  This could be "
        "because the wrong path has been selected or because the Cache Folder really is empty.\r\nCurrent Path: " +
        game + "\r\nWould you like to select your Unreal Tournament Folder manually now?";
    struct Case {
        const char* name;
        const char* index;  // nothing: no cache.ini
        std::deque<bool> answers;
        std::vector<std::string> said;
        bool open;
    };
    const std::vector<Case> cases = {
        {"empty, No", "", {false}, {question}, false},
        {"missing, No", nullptr, {false}, {"! Error reading file " + game + "cache/cache.ini", question}, false},
        {"empty, Yes", "", {true}, {question}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        temp.MakeFolder("game");
        temp.MakeFolder("game/cache");
        std::filesystem::remove(game + "cache/cache.ini");
        if (c.index)
            temp.Write("game/cache/cache.ini", c.index);
        store.value = game.substr(0, game.size() - 1);
        TempFolder other;
        LayOutGameFolder(other.Path());
        chooser.answers = {other.Path()};
        dialogs.answers = c.answers;
        dialogs.said.clear();
        Open();
        EXPECT_EQ(dialogs.said, c.said);
        EXPECT_EQ(window->isVisible(), c.open);
        EXPECT_EQ(Model().rowCount(), c.open ? static_cast<int>(CorpusManifest().size()) : 0);
        chooser.answers.clear();
        window.reset();
    }
}

TEST_F(WindowTest, TheGuardRefusesWhileTheGameOrItsEditorRuns)
{
    struct Case {
        std::vector<std::string> running;
        std::vector<std::string> said;
    };
    // No game folder at all: the cache folder is the one the game would make.
    const std::string readError = "! Error reading file " + game + "Cache/cache.ini";
    const std::string empty =
        "? Cache Folder Appears to be Empty: Your Unreal Tournament Cache Folder appears to be empty.  This could be "
        "because the wrong path has been selected or because the Cache Folder really is empty.\r\nCurrent Path: " +
        game + "\r\nWould you like to select your Unreal Tournament Folder manually now?";
    store.value = game;
    for (const Case& c : {Case{{"bash", "UnrealTournament.exe"}, {"! " + kGameRunningText}},
                          Case{{"UNREALED.EXE", "UnrealTournament.exe"}, {"! " + kGameRunningText}},
                          Case{{"UnrealEd.exe"}, {"! " + kEditorRunningText}},
                          // Neither: the window opens, finds no cache.ini, and No to the question ends it.
                          Case{{"bash"}, {readError, empty}}}) {
        dialogs.said.clear();
        dialogs.answers = {false};
        ProcessScanner scanner([&] { return c.running; });
        EXPECT_EQ(RunWindowProgram(WindowParts{store, chooser, dialogs, places}, scanner), 0);
        EXPECT_EQ(dialogs.said, c.said);
    }
}

TEST(MessageBoxes, AskAndTellInThePlatformsBoxesWithYesAsTheDefault)
{
    struct Case {
        char call;  // ? Confirm, ! Tell, x Stop
        Qt::Key key;
        bool yes;
        QMessageBox::Icon icon;
        const char* title;
    };
    for (const Case& c : {Case{'?', Qt::Key_Return, true, QMessageBox::Question, "Tallyhold - Confirm Delete File"},
                          Case{'?', Qt::Key_Escape, false, QMessageBox::Question, "Tallyhold - Confirm Delete File"},
                          Case{'!', Qt::Key_Return, false, QMessageBox::Warning, "thld_qt_tests"},
                          Case{'x', Qt::Key_Escape, false, QMessageBox::Critical, "thld_qt_tests"}}) {
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                answer.stop();
                title = box->windowTitle();
                text = box->text();
                icon = box->icon();
                QTest::keyClick(box, c.key);
            }
        });
        answer.start(10);
        MessageBoxDialogs boxes;
        const std::string message = "Line one <b>\r\nLine two";
        bool yes = false;
        if (c.call == '?')
            yes = boxes.Confirm(messages::kConfirmDeleteTitle, message);
        else if (c.call == '!')
            boxes.Tell(message);
        else
            boxes.Stop(message);
        EXPECT_EQ(yes, c.yes);
        EXPECT_EQ(FromQt(title), c.title);
        EXPECT_EQ(text, QStringLiteral("Line one <b>\nLine two"));
        EXPECT_EQ(icon, c.icon);
    }
}

// The first-run box: titled with the program's name, its action on a button of its own beside
// Cancel; Enter takes the action, Escape cancels.
TEST(MessageBoxes, TheFirstRunBoxOffersChooseFolderOrCancel)
{
    for (const auto& [key, chosen] : {std::pair{Qt::Key_Return, true}, std::pair{Qt::Key_Escape, false}}) {
        QString title;
        QStringList buttons;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&, key = key] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                answer.stop();
                title = box->windowTitle();
                for (QAbstractButton* button : box->buttons())
                    buttons.append(button->text());
                QTest::keyClick(box, key);
            }
        });
        answer.start(10);
        MessageBoxDialogs boxes;
        EXPECT_EQ(boxes.Offer("Tallyhold", "Choose the game's folder.", "Choose Folder\u2026"), chosen);
        EXPECT_EQ(FromQt(title), "Tallyhold");
        buttons.replaceInStrings(QStringLiteral("&"), QString());
        buttons.sort();
        EXPECT_EQ(buttons, (QStringList{QStringLiteral("Cancel"), QStringLiteral("Choose Folder\u2026")}));
    }
}

TEST_F(WindowTest, SizeColumnWidthsAndSortAreKeptBetweenRuns)
{
    temp.MakeFolder("game");
    temp.MakeFolder("game/cache");
    WriteIndex(game + "cache/", {});
    store.value = game;
    Open();
    window->resize(1000, 700);
    Tree()->sortByColumn(CacheModel::SizeColumn, Qt::DescendingOrder);
    window->close();
    const std::string settings = temp.Read("config/tallyhold.ini");
    EXPECT_NE(settings.find("[Window]\nSize=1000x700\nMaximized=0\nColumns="), std::string::npos) << settings;

    Open();
    EXPECT_EQ(window->size(), MainWindow::FittedSize({1000, 700}, window->screen()->availableGeometry().size()));
    EXPECT_EQ(Tree()->header()->sortIndicatorSection(), CacheModel::SizeColumn);
    EXPECT_EQ(Tree()->header()->sortIndicatorOrder(), Qt::DescendingOrder);

    // Values that can't be read keep their defaults.
    temp.Write("config/tallyhold.ini", "[Window]\nSize=wide\nColumns=1,x\nSort=v\n");
    const WindowLayout layout = ReadWindowLayout(SettingsFile(temp / "config/tallyhold.ini"));
    EXPECT_EQ(layout.width, 0);
    EXPECT_TRUE(layout.columnWidths.empty());
    EXPECT_EQ(layout.sortColumn, -1);
}

}  // namespace
}  // namespace thld::test
