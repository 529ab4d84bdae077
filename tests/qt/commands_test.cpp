// Delete and Permanent from the window's buttons, answered from a script: the files, cache.ini and
// cache.bak afterwards, and a file error that ends a command; Return from the problems' dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "commands/messages.h"
#include "platform/file_fault.h"
#include "qt/qt_text.h"
#include "support/corpus.h"
#include "support/made_package.h"
#include "window_fixture.h"

namespace thld::test {
namespace {

class CommandWindow : public WindowTest {
protected:
    void SetUp() override { THLD_REQUIRE_CORPUS(); }
    void Tick(const std::vector<std::string>& names) const
    {
        const QAbstractItemModel* shown = Tree()->model();
        for (int row = 0; row < shown->rowCount(); ++row) {
            const QModelIndex index = shown->index(row, 0);
            if (std::count(names.begin(), names.end(), FromQt(index.data().toString()))) {
                Tree()->setCurrentIndex(index);
                QTest::keyClick(Tree(), Qt::Key_Space);
            }
        }
        ASSERT_EQ(Model().TickedCount(), names.size());
    }
    bool Indexed(const std::string& file) const
    {
        return temp.Read("game/cache/cache.ini").find(CorpusEntry(file).guid + "=") != std::string::npos;
    }
    std::vector<std::string> Titles() const
    {
        std::vector<std::string> titles;
        for (const std::string& said : dialogs.said)
            titles.push_back(said.substr(0, said.find(':')));
        return titles;
    }
};

struct CommandCase {
    const char* name;
    const char* button;
    std::vector<std::string> ticked;
    std::deque<bool> answers;
    std::vector<std::string> titles;  // of what was asked, in order
    std::vector<std::string> gone;    // packages no longer in the cache
    std::vector<std::string> placed;  // files the game's folders hold afterwards, byte for byte the package
    std::string occupied;             // a destination taken before the command
};

TEST_F(CommandWindow, DeleteAndPermanentChangeTheFilesAndTheIndexAsAnswered)
{
    // One question for the whole plan; a file to replace is still asked about on its own.
    const std::string del = "? Delete Packages", move = "? Make Packages Permanent", replace = "? Confirm Replace File";
    const std::vector<CommandCase> cases = {
        {"delete, Yes", "deleteButton", {"DM-Flux.unr"}, {true}, {del}, {"DM-Flux.unr"}, {}, ""},
        {"delete two, Yes", "deleteButton", {"ECM.u", "Fatboy.u"}, {true}, {del}, {"ECM.u", "Fatboy.u"}, {}, ""},
        {"delete, Cancel", "deleteButton", {"ZoomShockRifle.u"}, {false}, {del}, {}, {}, ""},
        {"permanent map with its requirement",
         "permanentButton",
         {"DM-Q2DM1.unr"},
         {true},
         {move},
         {"DM-Q2DM1.unr", "Q2DM1.utx"},
         {"Maps/DM-Q2DM1.unr", "Textures/Q2DM1.utx"},
         ""},
        {"permanent, replacement refused",
         "permanentButton",
         {"XC_Orb.utx"},
         {true, false},
         {move, replace},
         {},
         {},
         "Textures/XC_Orb.utx"},
    };
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder fresh;  // each case on a fresh game folder
        game = fresh / "game/";
        LayOutCorpus();
        if (!c.occupied.empty())
            WriteFileBytes(game + c.occupied, "taken");
        Open();
        const std::string indexBefore = ReadFileBytes(game + "cache/cache.ini");
        dialogs.said.clear();
        dialogs.answers = c.answers;
        Tick(c.ticked);
        Click(c.button);
        WaitIdle();

        EXPECT_EQ(Titles(), c.titles);
        for (const CorpusPackage& p : CorpusManifest()) {
            const bool gone = std::count(c.gone.begin(), c.gone.end(), p.file) > 0;
            EXPECT_EQ(std::filesystem::exists(game + "cache/" + p.guid + ".uxx"), !gone) << p.file;
            EXPECT_EQ(ReadFileBytes(game + "cache/cache.ini").find(p.guid + "=") == std::string::npos, gone) << p.file;
        }
        for (const std::string& placed : c.placed) {
            const std::string file = placed.substr(placed.find('/') + 1);
            EXPECT_EQ(ReadFileBytes(game + placed), ReadFileBytes(*CorpusFolder() + "packages/" + file)) << placed;
        }
        if (!c.occupied.empty()) {
            EXPECT_EQ(ReadFileBytes(game + c.occupied), "taken");
        }
        // cache.bak holds the index as it was before the last line went; the tree is listed afresh.
        const bool changed = !c.gone.empty();
        EXPECT_EQ(std::filesystem::exists(game + "cache/cache.bak"), changed);
        if (c.gone.size() == 1) {
            EXPECT_EQ(ReadFileBytes(game + "cache/cache.bak"), indexBefore);
        }
        EXPECT_EQ(ShownNames().size(), CorpusManifest().size() - c.gone.size());
        window.reset();
    }
}

// Cancel pressed while the second of three packages goes: it goes, the third stays as it was, and
// the progress dialog ends with what was done.
TEST_F(CommandWindow, CancelDuringARunLeavesThePackagesNotReachedAsTheyWere)
{
    LayOutCorpus();
    Open();
    Tick({"ECM.u", "Fatboy.u", "ZoomShockRifle.u"});
    const auto cached = [&](const char* file) { return game + "cache/" + CorpusEntry(file).guid + ".uxx"; };
    std::atomic<bool> reached{false}, cancelled{false};
    // Fatboy's file moved aside, or deleted where it is (where the system can tell beforehand that
    // it can go): the run is in the middle of its second package.
    DiskFaultHook previous = SetDiskFaultHook([&](DiskStep step, const std::string& path) {
        if ((step == DiskStep::Move || step == DiskStep::Remove) && path == cached("Fatboy.u")) {
            reached = true;
            for (int waited = 0; !cancelled && waited < 1000; ++waited)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return std::optional<FileErrorCause>();
    });
    dialogs.answers = {true};
    Click("deleteButton");
    ASSERT_TRUE(WaitFor([&] { return reached.load(); }));
    auto* progress = window->findChild<QDialog*>(QStringLiteral("runProgress"));
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(progress->isVisible());
    QTest::mouseClick(progress->findChild<QPushButton*>(QStringLiteral("runCancelButton")), Qt::LeftButton);
    cancelled = true;
    WaitIdle();
    SetDiskFaultHook(std::move(previous));

    EXPECT_EQ(dialogs.said, std::vector<std::string>{"? Delete Packages: Delete 3 Packages"});
    EXPECT_FALSE(std::filesystem::exists(cached("ECM.u")));
    EXPECT_FALSE(std::filesystem::exists(cached("Fatboy.u")));
    EXPECT_TRUE(std::filesystem::exists(cached("ZoomShockRifle.u")));
    EXPECT_TRUE(Indexed("ZoomShockRifle.u"));
    EXPECT_EQ(progress->findChild<QLabel*>(QStringLiteral("runStatus"))->text(),
              QStringLiteral("Deleted 2 of 3 packages (15 KiB). 1 was left as it was after Cancel."));
    EXPECT_TRUE(progress->findChild<QPushButton*>(QStringLiteral("runCloseButton"))->isVisible());
}

TEST_F(CommandWindow, AFileErrorIsShownOnceAndWhatWasNotDoneStaysWhereItWas)
{
    struct Case {
        const char* button;
        DiskStep failing;
        std::string file;
        std::deque<bool> answers;
        std::string failingPath;  // below the cache folder; the package's cached file when empty
    };
    LayOutCorpus();
    Open();
    // Permanent's move of the file fails; Delete's new cache.ini can't take the place of the old one
    // (a Delete leaves the file where it is until its line is gone, where the system lets it).
    for (const Case& c : {Case{"permanentButton", DiskStep::Move, "DM-Flux.unr", {true}, ""},
                          Case{"deleteButton", DiskStep::Replace, "ECM.u", {true}, "cache.ini.new"}}) {
        SCOPED_TRACE(c.button);
        const std::string cached = game + "cache/" + CorpusEntry(c.file).guid + ".uxx";
        const std::string failing = c.failingPath.empty() ? cached : game + "cache/" + c.failingPath;
        const std::string bytes = ReadFileBytes(cached);
        Tick({c.file});
        dialogs.said.clear();
        dialogs.answers = c.answers;
        DiskFaultHook previous = SetDiskFaultHook([&](DiskStep step, const std::string& path) {
            return step == c.failing && path == failing ? std::optional(FileErrorCause::AccessDenied) : std::nullopt;
        });
        Click(c.button);
        WaitIdle();
        SetDiskFaultHook(std::move(previous));

        ASSERT_EQ(dialogs.said.size(), 2u);
        EXPECT_EQ(dialogs.said[1], "x " + FileErrorText(FileErrorCause::AccessDenied));
        // The package stays in the cache with its line.
        EXPECT_EQ(ReadFileBytes(cached), bytes);
        EXPECT_TRUE(Indexed(c.file));
        EXPECT_FALSE(temp.Exists("game/Maps/" + c.file));
        // The tree is not listed again (the tick stands), and the window takes the next command.
        EXPECT_EQ(Model().TickedCount(), 1u);
        Click("untickAllButton");
        EXPECT_EQ(Model().TickedCount(), 0u);
    }
}

// Another program changed cache.ini after the window listed it: the window asks nothing, says so,
// and lists the cache again, so that it never asks about a package that is no longer there.
TEST_F(CommandWindow, ACacheChangedSinceTheListingIsListedAgainBeforeAnyQuestion)
{
    LayOutCorpus();
    Open();
    Tick({"DM-Flux.unr"});
    std::string index = ReadFileBytes(game + "cache/cache.ini");
    const std::size_t line = index.find(CorpusEntry("ECM.u").guid + "=");
    index.erase(line, index.find('\n', line) + 1 - line);
    WriteFileBytes(game + "cache/cache.ini", index);  // as another program removes ECM.u's line
    dialogs.said.clear();
    dialogs.answers = {true};
    Click("deleteButton");
    WaitIdle();

    ASSERT_EQ(dialogs.said.size(), 2u);
    EXPECT_EQ(dialogs.said[1], "! " + game +
                                   "cache/cache.ini has changed since the cache was listed. "
                                   "Nothing was changed; the cache is listed again.");
    EXPECT_TRUE(Indexed("DM-Flux.unr"));
    const std::vector<std::string> shown = ShownNames();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "ECM.u"), 0);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "DM-Flux.unr"), 1);
}

// The window goes while its command waits for an answer that the window's thread has not taken up:
// the question is answered No unasked, the command ends, and nothing has changed.
TEST_F(CommandWindow, AWindowClosedWhileAQuestionWaitsAnswersItNo)
{
    LayOutCorpus();
    Open();
    const std::string cached = game + "cache/" + CorpusEntry("DM-Flux.unr").guid + ".uxx";
    const std::string index = ReadFileBytes(game + "cache/cache.ini");
    Tick({"DM-Flux.unr"});
    dialogs.said.clear();
    Click("deleteButton");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the question is handed over meanwhile
    window.reset();
    EXPECT_TRUE(dialogs.said.empty());
    EXPECT_TRUE(std::filesystem::exists(cached));
    EXPECT_EQ(ReadFileBytes(game + "cache/cache.ini"), index);
}

TEST_F(CommandWindow, AMismatchReturnedFromTheProblemsViewIsCachedUnderItsGuidAndNoLongerShown)
{
    const MadeGuid installed{0x44444444, 5, 6, 7};
    LayOutCorpus();
    temp.Write("game/Maps/DM-Flux.unr", PackageImporting(kind::Map, installed, {}));
    Open();
    dialogs.answers = {true};
    const auto mismatches = [](const QTreeWidget* tree) {
        return tree->findItems(QStringLiteral("DM-Flux.unr: installed as"), Qt::MatchStartsWith | Qt::MatchRecursive)
            .size();
    };
    qsizetype before = 0, after = 0;
    WithDialog(Action("&Check the Cache..."), [&](QDialog& dialog) {
        auto* tree = dialog.findChild<QTreeWidget*>(QStringLiteral("problemsTree"));
        before = mismatches(tree);
        if (before == 0)
            return dialog.reject();
        tree->setCurrentItem(
            tree->findItems(QStringLiteral("DM-Flux.unr: installed as"), Qt::MatchStartsWith | Qt::MatchRecursive)
                .front());
        dialog.findChild<QPushButton*>(QStringLiteral("returnButton"))->click();
        // The fix, the listing after it and the check after that, with the dialog open.
        WaitFor([&] { return mismatches(tree) == 0; });
        after = mismatches(tree);
        dialog.reject();
    });
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 0);
    EXPECT_TRUE(std::filesystem::is_regular_file(game + "cache/" + GuidKey(installed) + ".uxx"));
    EXPECT_NE(temp.Read("game/cache/cache.ini").find(GuidKey(installed) + "=DM-Flux.unr"), std::string::npos);
    EXPECT_EQ(Titles(), std::vector<std::string>{"? Return Packages to the Cache"});
}

}  // namespace
}  // namespace thld::test
