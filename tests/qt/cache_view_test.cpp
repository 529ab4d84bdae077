// The tree over a cache of real packages: its rows and their children against the listing model,
// sorting, filtering, ticking, the jump from a requirement to its package, and a picture.
#include <gtest/gtest.h>

#include <QAbstractProxyModel>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>

#include "commands/messages.h"
#include "game/cache_checks.h"
#include "game/cache_contents.h"
#include "game/package_order.h"
#include "qt/desktop_look.h"
#include "qt/qt_text.h"
#include "qt/size_words.h"
#include "support/corpus.h"
#include "support/fake_cache.h"
#include "support/stand_ins.h"
#include "window_fixture.h"

namespace thld::test {
namespace {

class CorpusWindow : public WindowTest {
protected:
    void SetUp() override
    {
        THLD_REQUIRE_CORPUS();
        LayOutCorpus();
        // The game holds a copy of one cached package and another file named like a second.
        std::filesystem::copy_file(cache + CorpusEntry("Q2DM1.utx").guid + ".uxx", game + "Textures/Q2DM1.utx");
        WriteFileBytes(game + "Maps/DM-Flux.unr", "an older DM-Flux");
        expected = ListCacheContents(GameFolders{game, cache}, InstalledCopies::Skip).listing;
        Open();
    }

    QModelIndex Shown(const std::string& name) const
    {
        const QAbstractItemModel* shown = Tree()->model();
        for (int row = 0; row < shown->rowCount(); ++row) {
            if (FromQt(shown->index(row, 0).data().toString()) == name)
                return shown->index(row, 0);
        }
        ADD_FAILURE() << "not shown: " << name;
        return QModelIndex();
    }
    void Tick(const std::string& name) const
    {
        Tree()->setCurrentIndex(Shown(name));
        QTest::keyClick(Tree(), Qt::Key_Space);
    }
    void Filter(const char* text) const
    {
        auto* field = Find<QLineEdit>("filterField");
        field->clear();
        QTest::keyClicks(field, QString::fromUtf8(text));
    }

    std::string cache = game + "cache/";
    Listing expected;
};

// The digits of an exact size ("577,536 bytes") as a number.
std::uint64_t BytesIn(const QString& text)
{
    QString digits;
    for (QChar c : text)
        if (c.isDigit())
            digits += c;
    return digits.toULongLong();
}

// Whether a size for people ("564 KiB", "1.2 GiB") is within 5% of `bytes`.
bool ShowsAbout(const std::string& text, std::uint64_t bytes)
{
    const std::map<std::string, double> units = {{"B", 1}, {"KiB", 1024}, {"MiB", 1 << 20}, {"GiB", 1 << 30}};
    const std::size_t space = text.find(' ');
    if (space == std::string::npos || !units.count(text.substr(space + 1)))
        return false;
    const double shown = std::stod(text.substr(0, space)) * units.at(text.substr(space + 1));
    return std::abs(shown - static_cast<double>(bytes)) <= 0.05 * static_cast<double>(bytes);
}

TEST(SizeForPeople, OneDecimalBelowTenWholeNumbersAbove)
{
    const std::pair<std::uint64_t, const char*> cases[] = {
        {0, "0 B"},        {1023, "1023 B"},        {1024, "1.0 KiB"},       {577536, "564 KiB"},
        {10239, "10 KiB"}, {1288490189, "1.2 GiB"}, {29139238912, "27 GiB"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(SizeForPeople(bytes), QString::fromLatin1(text)) << bytes;
}

std::vector<std::string> TextsUnder(const QAbstractItemModel& model, const QModelIndex& parent, int column)
{
    std::vector<std::string> texts;
    for (int row = 0; row < model.rowCount(parent); ++row)
        texts.push_back(FromQt(model.index(row, column, parent).data().toString()));
    return texts;
}

TEST_F(CorpusWindow, RowsAndTheirChildrenShowTheListing)
{
    const CacheModel& model = Model();
    ASSERT_EQ(model.rowCount(), static_cast<int>(expected.items.size()));
    std::map<std::string, std::string> installed = {{"Q2DM1.utx", "Identical"}, {"DM-Flux.unr", "Different"}};
    for (int row = 0; row < model.rowCount(); ++row) {
        const PackageItem& item = expected.items[static_cast<std::size_t>(row)];
        auto cell = [&](int column) { return FromQt(model.index(row, column).data().toString()); };
        EXPECT_EQ(cell(CacheModel::NameColumn), item.name);
        EXPECT_EQ(cell(CacheModel::KindColumn), item.kind);
        EXPECT_EQ(BytesIn(model.index(row, CacheModel::SizeColumn).data(Qt::ToolTipRole).toString()), item.size);
        EXPECT_TRUE(ShowsAbout(cell(CacheModel::SizeColumn), item.size)) << cell(CacheModel::SizeColumn);
        EXPECT_FALSE(cell(CacheModel::LastUsedColumn).empty()) << item.name;
        EXPECT_EQ(cell(CacheModel::InstalledColumn), installed.count(item.name) ? installed[item.name] : "No");
        const QModelIndex package = model.index(row, 0);
        EXPECT_EQ(TextsUnder(model, package, CacheModel::NameColumn), item.requirements) << item.name;
    }
    EXPECT_EQ(BytesIn(Find<QLabel>("totalLabel")->toolTip()), expected.total);
    EXPECT_TRUE(Text("totalLabel").startsWith(QStringLiteral("Total Cache: ") + SizeForPeople(expected.total)));
    EXPECT_EQ(FromQt(Text("pathLabel")), cache);
    EXPECT_EQ(Text("tickedLabel"), QStringLiteral("No packages ticked"));
}

// The filter finds names of any script, case aside as Qt folds it, whether the text or the name is
// ASCII only or not.
TEST_F(WindowTest, TheFilterTakesNamesOfAnyScriptCaseAside)
{
    const std::vector<std::string> names = {"DM-Флюкс.unr", "ÜberTex.utx", "UPPER.u", "plain.utx"};
    std::vector<std::string> lines;
    temp.MakeFolder("game");
    temp.MakeFolder("game/cache");
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string key = "K" + std::to_string(i);
        temp.Write("game/cache/" + key + ".uxx", KindWords(kind::Textures));
        lines.push_back(key + "=" + names[i]);
    }
    WriteIndex(game + "cache/", lines);
    store.value = game;
    Open();
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"флюкс", {"DM-Флюкс.unr"}}, {"ФЛЮКС", {"DM-Флюкс.unr"}},
        {"dm-", {"DM-Флюкс.unr"}},   {"über", {"ÜberTex.utx"}},
        {"per", {"UPPER.u"}},        {"UTX", {"ÜberTex.utx", "plain.utx"}},
        {"x.u", {"ÜberTex.utx"}},    {"", names},
    };
    for (const auto& [typed, shown] : cases) {
        auto* field = Find<QLineEdit>("filterField");
        field->setText(QString::fromUtf8(typed));
        EXPECT_EQ(ShownNames(), shown) << typed;
    }
}

// Each map's offline cell, found off the window's thread, says what the core's check says of that
// package, sorted or not.
TEST_F(CorpusWindow, EachMapsOfflineCellGivesItsOwnAnswerOnceFound)
{
    Tree()->sortByColumn(CacheModel::NameColumn, Qt::DescendingOrder);
    const auto* shown = static_cast<const QAbstractProxyModel*>(Tree()->model());
    int maps = 0;
    for (int row = 0; row < shown->rowCount(); ++row) {
        const std::size_t item = static_cast<std::size_t>(shown->mapToSource(shown->index(row, 0)).row());
        if (expected.items[item].kind != kind::Map)
            continue;
        ++maps;
        const QModelIndex cell = shown->index(row, CacheModel::OfflineColumn);
        WaitFor([&] { return cell.data().toString() != QStringLiteral("\u2026"); });
        const auto missing = MissingOffline(GameFolders{game, cache}, expected.items, item);
        const std::string text = !missing           ? ""
                                 : missing->empty() ? "Yes"
                                                    : "No, " + std::to_string(missing->size()) + " missing";
        EXPECT_EQ(FromQt(cell.data().toString()), text) << expected.items[item].name;
        for (const MissingImport& import : missing.value_or(std::vector<MissingImport>{}))
            EXPECT_TRUE(cell.data(Qt::ToolTipRole).toString().contains(ToQt(import.package))) << import.package;
    }
    EXPECT_GT(maps, 1);
}

TEST_F(CorpusWindow, EveryColumnSortsBothWaysAndAThirdStateGoesBackToTheFileOrder)
{
    std::map<std::string, const PackageItem*> byName;
    for (const PackageItem& item : expected.items)
        byName[item.name] = &item;
    const std::vector<std::pair<int, PackageSortKey>> columns = {
        {CacheModel::NameColumn, PackageSortKey::Name},
        {CacheModel::KindColumn, PackageSortKey::Kind},
        {CacheModel::SizeColumn, PackageSortKey::Size},
        {CacheModel::LastUsedColumn, PackageSortKey::Modified},
    };
    for (const auto& [column, key] : columns) {
        auto order = [key = key](const PackageItem& a, const PackageItem& b) {
            return ComparePackages(key, {a, b}, {}, 0, 1);
        };
        for (Qt::SortOrder direction : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            Tree()->sortByColumn(column, direction);
            const std::vector<std::string> shown = ShownNames();
            ASSERT_EQ(shown.size(), expected.items.size());
            for (std::size_t i = 1; i < shown.size(); ++i) {
                const int step = order(*byName[shown[i - 1]], *byName[shown[i]]);
                EXPECT_TRUE(direction == Qt::AscendingOrder ? step <= 0 : step >= 0)
                    << "column " << column << ": " << shown[i - 1] << " before " << shown[i];
            }
        }
    }
    Tree()->sortByColumn(CacheModel::InstalledColumn, Qt::DescendingOrder);
    const std::vector<std::string> byCopy = ShownNames();
    EXPECT_EQ(std::vector<std::string>(byCopy.begin(), byCopy.begin() + 2),
              (std::vector<std::string>{"DM-Flux.unr", "Q2DM1.utx"}));
    Tree()->header()->setSortIndicator(-1, Qt::AscendingOrder);
    std::vector<std::string> fileOrder;
    for (const PackageItem& item : expected.items)
        fileOrder.push_back(item.name);
    EXPECT_EQ(ShownNames(), fileOrder);
}

TEST_F(CorpusWindow, TheFilterNarrowsTheTreeAsOneTypesAndTicksGoByWhatIsShown)
{
    struct Case {
        const char* typed;
        std::size_t shown;
    };
    auto named = [&](const char* part) {
        return static_cast<std::size_t>(std::count_if(expected.items.begin(), expected.items.end(), [&](auto& item) {
            return ToQt(item.name).contains(QString::fromUtf8(part), Qt::CaseInsensitive);
        }));
    };
    for (const Case& c : {Case{"dm-", named("dm-")}, Case{"GOLDENEYE", 5}, Case{".utx", named(".utx")},
                          Case{"no such package", 0}, Case{"", expected.items.size()}}) {
        Filter(c.typed);
        EXPECT_EQ(ShownNames().size(), c.shown) << c.typed;
        const QString shownLine = QStringLiteral("; %1 of %2 packages shown").arg(c.shown).arg(expected.items.size());
        EXPECT_EQ(Text("tickedLabel").endsWith(shownLine), *c.typed != '\0') << c.typed;
    }

    Tick("DM-Flux.unr");
    EXPECT_EQ(Model().TickedCount(), 1u);
    Tick("Q2DM1.utx");
    const std::uint64_t bothBytes = CorpusEntry("DM-Flux.unr").size + CorpusEntry("Q2DM1.utx").size;
    EXPECT_EQ(Text("tickedLabel"), QStringLiteral("2 packages ticked, ") + SizeForPeople(bothBytes));
    Tick("Q2DM1.utx");
    EXPECT_EQ(Model().TickedCount(), 1u);

    Filter("goldeneye");
    Click("tickAllButton");
    EXPECT_EQ(Model().TickedCount(), 6u);  // the five shown, and DM-Flux from before
    Filter("");
    Click("untickAllButton");
    EXPECT_EQ(Model().TickedCount(), 0u);
    EXPECT_EQ(Text("tickedLabel"), QStringLiteral("No packages ticked"));
}

TEST_F(CorpusWindow, ADoubleClickOnARequirementJumpsToItsPackageEvenWhenFilteredOut)
{
    const std::string map = "DM-Bond 007 Goldeneye Archives.unr";
    for (const char* filter : {"", "Archives"}) {
        Filter(filter);
        const QModelIndex package = Shown(map);
        Tree()->expand(package);
        const QModelIndex requirement = Tree()->model()->index(0, 0, package);
        const std::string wanted = FromQt(requirement.data().toString());
        const QPoint at = Tree()->visualRect(requirement).center();
        QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, at);  // a double click starts with a click
        QTest::mouseDClick(Tree()->viewport(), Qt::LeftButton, {}, at);
        EXPECT_EQ(FromQt(Tree()->currentIndex().data().toString()), wanted) << "filter " << filter;
        EXPECT_FALSE(Tree()->currentIndex().parent().isValid());
        EXPECT_TRUE(Find<QLineEdit>("filterField")->text().isEmpty());
    }
}

// Escape never closes the window (in a filter field that holds text it empties the field); Enter
// in the tree opens the current item: a package with requirements expands and collapses, a
// requirement goes to its package.
TEST_F(CorpusWindow, EscapeNeverClosesTheWindowAndEnterOpensTheItem)
{
    auto* field = Find<QLineEdit>("filterField");
    Filter("Archives");
    for (QWidget* target : {static_cast<QWidget*>(field), static_cast<QWidget*>(field), static_cast<QWidget*>(Tree()),
                            static_cast<QWidget*>(window.get())}) {
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_TRUE(field->text().isEmpty());
        EXPECT_TRUE(window->isVisible()) << FromQt(target->objectName());
    }
    const QModelIndex map = Shown("DM-Q2DM1.unr");
    Tree()->setCurrentIndex(map);
    QTest::keyClick(Tree(), Qt::Key_Return);
    EXPECT_TRUE(Tree()->isExpanded(map));
    const QModelIndexList requirement = Tree()->model()->match(Tree()->model()->index(0, 0, map), Qt::DisplayRole,
                                                               QStringLiteral("Q2DM1.utx"), 1, Qt::MatchExactly);
    ASSERT_EQ(requirement.size(), 1);
    Tree()->setCurrentIndex(requirement.front());
    QTest::keyClick(Tree(), Qt::Key_Enter);
    EXPECT_EQ(FromQt(Tree()->currentIndex().data().toString()), "Q2DM1.utx");
    EXPECT_FALSE(Tree()->currentIndex().parent().isValid());
    Tree()->setCurrentIndex(map);
    QTest::keyClick(Tree(), Qt::Key_Return);
    EXPECT_FALSE(Tree()->isExpanded(map));
    EXPECT_TRUE(window->isVisible());
}

// The window closes through Exit, File > Quit or its close box; with packages ticked it asks first.
TEST_F(CorpusWindow, ClosingWithPackagesTickedAsksFirst)
{
    const std::string asked =
        "? Close Tallyhold: 2 packages are ticked. Close Tallyhold without deleting them or "
        "making them permanent?";
    struct Case {
        const char* way;
        int ticked;
        std::deque<bool> answers;
        std::vector<std::string> said;
        bool closed;
    };
    const Case cases[] = {
        {"exit", 2, {false}, {asked}, false},
        {"quit", 2, {false}, {asked}, false},
        {"box", 2, {false}, {asked}, false},
        {"quit", 2, {true}, {asked}, true},
        {"exit", 0, {}, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.way) + " " + std::to_string(c.ticked));
        window->show();
        Click("untickAllButton");
        if (c.ticked) {
            Tick("ECM.u");
            Tick("Fatboy.u");
        }
        dialogs.said.clear();
        dialogs.answers = c.answers;
        if (std::string(c.way) == "exit")
            Click("exitButton");
        else if (std::string(c.way) == "quit")
            Action("&Quit")->trigger();
        else
            window->close();
        EXPECT_EQ(dialogs.said, c.said);
        EXPECT_EQ(!window->isVisible(), c.closed);
    }
}

// The first click on Size puts the largest first, as `tallyhold list --sort size` does; the
// second the smallest.
TEST_F(CorpusWindow, TheFirstClickOnSizeSortsTheLargestFirst)
{
    QHeaderView* header = Tree()->header();
    const auto click = [&] {
        const int x = header->sectionViewportPosition(CacheModel::SizeColumn) + 5;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    };
    std::uint64_t largest = 0, smallest = UINT64_MAX;
    for (const PackageItem& item : expected.items) {
        largest = std::max(largest, item.size);
        smallest = std::min(smallest, item.size);
    }
    const auto firstSize = [&] {
        return Model()
            .Items()[static_cast<std::size_t>(
                static_cast<QAbstractProxyModel*>(Tree()->model())->mapToSource(Tree()->model()->index(0, 0)).row())]
            .size;
    };
    click();
    EXPECT_EQ(firstSize(), largest);
    click();
    EXPECT_EQ(firstSize(), smallest);
}

// The picture shows a tidy demo path; THLD_QT_LOOK=classic takes it in the classic colours (the
// desktop's dark palette comes with GTK_THEME=Adwaita:dark where no theme gives one).
TEST_F(CorpusWindow, APictureOfTheMainWindowIsKept)
{
    // As in a player's game folder, the game's own packages are there: the maps load offline.
    LayStandIns(game);
    Action("&List Again")->trigger();
    WaitIdle();
    const char* look = std::getenv("THLD_QT_LOOK");
    if (look && std::string(look) == "classic")
        window->SetLook(Look::Classic);
    Find<QLabel>("pathLabel")->setText(QStringLiteral("/home/player/UnrealTournament/Cache/"));
    Tree()->expand(Shown("DM-Bond 007 Goldeneye Archives.unr"));
    Tick("DM-Bond 007 Goldeneye Archives.unr");
    Tick("DM-Q2DM1.unr");
    Tree()->setCurrentIndex(Shown("DM-Q2DM1.unr"));
    window->resize(1100, 640);
    QApplication::processEvents();
    // The titles, the card and the offline answers of the rows shown come off the window's thread.
    const QModelIndex offline = Shown("DM-Q2DM1.unr").siblingAtColumn(CacheModel::OfflineColumn);
    EXPECT_TRUE(WaitFor([&] {
        return Model().Cards().TitlesDone() && !Find<QLabel>("cardAuthor")->isHidden() &&
               offline.data().toString() != QStringLiteral("\u2026");
    }));
    QTest::qWait(300);
    QApplication::processEvents();
    const char* path = std::getenv("THLD_QT_PICTURE");
    const QString picture = QString::fromUtf8(path && *path ? path : THLD_QT_PICTURE);
    EXPECT_TRUE(window->grab().save(picture)) << FromQt(picture);
    ApplyLook(Look::Desktop);
}

}  // namespace
}  // namespace thld::test
