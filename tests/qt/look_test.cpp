// The window as a desktop program: its look (the desktop's palette, light or dark, or the classic
// colours) with tick boxes and arrows that stand out, its size on small and large screens, its
// keyboard paths and accessible names, the problems view, and the check for a display.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "commands/window_messages.h"
#include "qt/desktop_look.h"
#include "qt/display_check.h"
#include "qt/qt_text.h"
#include "support/corpus.h"
#include "support/fake_cache.h"
#include "window_fixture.h"

namespace thld::test {
namespace {

double Luminance(QColor c)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double Contrast(QColor a, QColor b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool IsDark(const QPalette& palette) { return Luminance(palette.color(QPalette::Window)) < 0.2; }

TEST(DesktopPalette, FollowsALightOrDarkSystemAndTheColourSchemeWhereNoThemeGivesOne)
{
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    const QPalette fusionDefault = fusion->standardPalette();
    QPalette light(QColor(246, 245, 244));
    light.setColor(QPalette::Text, Qt::black);
    QPalette dark(QColor(40, 40, 40));
    dark.setColor(QPalette::Text, Qt::white);
    struct Case {
        const char* name;
        QPalette system;
        bool prefersDark;
        bool dark;
    };
    for (const Case& c : {Case{"light theme", light, true, false}, Case{"dark theme", dark, false, true},
                          Case{"no theme, light scheme", fusionDefault, false, false},
                          Case{"no theme, dark scheme", fusionDefault, true, true}}) {
        const QPalette chosen = DesktopPalette(c.system, fusionDefault, c.prefersDark);
        EXPECT_EQ(IsDark(chosen), c.dark) << c.name;
        EXPECT_GE(Contrast(chosen.color(QPalette::Text), chosen.color(QPalette::Base)), 4.5) << c.name;
        if (c.system != fusionDefault) {
            EXPECT_EQ(chosen.color(QPalette::Window), c.system.color(QPalette::Window)) << c.name;
        }
    }
}

TEST(MainWindowSize, TheFirstAndARestoredSizeFitSmallAndLargeScreens)
{
    const std::pair<QSize, QSize> cases[] = {
        {{900, 600}, {800, 500}},      // 1600x1000 at twice the scale
        {{900, 600}, {2560, 1400}},    // kept as it is
        {{3000, 2000}, {1600, 1000}},  // restored from a larger screen
        {{900, 600}, {300, 200}},
    };
    for (const auto& [wanted, available] : cases) {
        const QSize fitted = MainWindow::FittedSize(wanted, available);
        EXPECT_LE(fitted.width(), available.width()) << available.width();
        EXPECT_LE(fitted.height(), available.height()) << available.height();
        if (wanted.width() < available.width() * 0.9 && wanted.height() < available.height() * 0.85) {
            EXPECT_EQ(fitted, wanted);
        }
    }
}

TEST(DisplayCheck, WithoutADisplayTheProgramSaysWhatItNeeds)
{
    struct Case {
        std::map<std::string, const char*> set;
        bool refused;
    };
    for (const Case& c :
         {Case{{}, true}, Case{{{"DISPLAY", ""}}, true}, Case{{{"DISPLAY", ":0"}}, false},
          Case{{{"WAYLAND_DISPLAY", "wayland-0"}}, false}, Case{{{"QT_QPA_PLATFORM", "offscreen"}}, false}}) {
        const char* message = MissingDisplayMessage([&](const char* name) {
            auto found = c.set.find(name);
            return found == c.set.end() ? nullptr : found->second;
        });
        EXPECT_EQ(message != nullptr, c.refused) << c.set.size();
        if (message) {
            EXPECT_NE(std::string(message).find("QT_QPA_PLATFORM=offscreen"), std::string::npos);
        }
    }
}

TEST(FirstRunWords, OnLinuxAndMacOSTheySpeakOfNoRegistryAndNoDriveLetter)
{
    for (GameEntryRead::Result read : {GameEntryRead::Result::NoKey, GameEntryRead::Result::NoValue}) {
        for (SearchPlaces::System system : {SearchPlaces::System::Linux, SearchPlaces::System::MacOS}) {
            for (const std::string& shown :
                 {messages::FirstRunMessage(system, read), messages::FolderChooserTitle(system)}) {
                EXPECT_EQ(shown.find("Registry"), std::string::npos) << shown;
                EXPECT_EQ(shown.find("C:\\"), std::string::npos) << shown;
            }
        }
    }
    EXPECT_EQ(messages::FirstRunMessage(SearchPlaces::System::Windows, GameEntryRead::Result::NoKey),
              "Unreal Tournament Registry Entry not found!\r\nHit OK to select Unreal Tournament Folder.");
    EXPECT_EQ(messages::FolderChooserTitle(SearchPlaces::System::Windows),
              "Select UT Folder (ex. C:\\UnrealTournament)");
}

class LookWindow : public WindowTest {
protected:
    void SetUp() override
    {
        THLD_REQUIRE_CORPUS();
        LayOutCorpus();
    }
    void TearDown() override { ApplyLook(Look::Desktop); }

    void OpenIn(Look look)
    {
        temp.MakeFolder("config");
        temp.Write("config/tallyhold.ini", std::string("[Window]\nColours=") + LookWord(look) + "\n");
        Open();
        Tree()->clearSelection();
        Tree()->setCurrentIndex(QModelIndex());
        QApplication::processEvents();
    }

    // The row of the first package that requires others, collapsed and unticked.
    QModelIndex PackageWithChildren() const
    {
        const QAbstractItemModel* shown = Tree()->model();
        for (int row = 0; row < shown->rowCount(); ++row)
            if (shown->rowCount(shown->index(row, 0)) > 0)
                return shown->index(row, 0);
        return QModelIndex();
    }

    // The greatest contrast between a pixel of `area` and the colour most of it has.
    static double ContrastIn(const QImage& image, const QRect& area)
    {
        std::map<QRgb, int> counts;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                ++counts[image.pixel(x, y)];
        QRgb background = counts.begin()->first;
        for (const auto& [colour, count] : counts)
            if (count > counts[background])
                background = colour;
        double most = 1;
        for (const auto& [colour, count] : counts)
            most = std::max(most, Contrast(QColor(colour), QColor(background)));
        return most;
    }
};

TEST_F(LookWindow, TickBoxesAndArrowsContrastWithTheirRowInEveryLook)
{
    for (Look look : {Look::Desktop, Look::Classic}) {
        SCOPED_TRACE(LookWord(look));
        OpenIn(look);
        EXPECT_EQ(window->CurrentLook(), look);
        const QModelIndex package = PackageWithChildren();
        ASSERT_TRUE(package.isValid());
        const QImage image = Tree()->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const qreal scale = image.devicePixelRatio();
        const QRect cell = Tree()->visualRect(package);
        auto pixels = [&](QRect r) { return QRect((r.topLeft() * scale), r.size() * scale).intersected(image.rect()); };
        const QRect arrow(0, cell.top(), cell.left(), cell.height());
        const QRect tickBox(cell.left(), cell.top(), cell.height() + 4, cell.height());
        EXPECT_GE(ContrastIn(image, pixels(arrow)), 3.0);
        EXPECT_GE(ContrastIn(image, pixels(tickBox)), 3.0);
        if (look == Look::Classic) {
            EXPECT_TRUE(IsDark(QApplication::palette()));
        }
        window.reset();
    }
}

TEST_F(LookWindow, ColumnsFitTheirTextsSoThatNoDateIsCut)
{
    OpenIn(Look::Desktop);
    const QAbstractItemModel* shown = Tree()->model();
    for (int column : {CacheModel::KindColumn, CacheModel::SizeColumn, CacheModel::LastUsedColumn}) {
        for (int row = 0; row < shown->rowCount(); ++row) {
            const QString text = shown->index(row, column).data().toString();
            EXPECT_GE(Tree()->columnWidth(column), Tree()->fontMetrics().horizontalAdvance(text)) << FromQt(text);
        }
    }
}

TEST_F(LookWindow, TheColoursChosenInTheViewMenuAreKept)
{
    OpenIn(Look::Desktop);
    window->SetLook(Look::Classic);
    window->close();
    window.reset();
    EXPECT_NE(temp.Read("config/tallyhold.ini").find("Colours=classic"), std::string::npos);
    Open();
    EXPECT_EQ(window->CurrentLook(), Look::Classic);
}

TEST_F(LookWindow, EveryControlHasAnAccessibleNameAndTabGoesInReadingOrder)
{
    OpenIn(Look::Desktop);
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisible() || widget->inherits("QScrollBar") ||
            widget->inherits("QHeaderView") || !widget->objectName().size())
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(accessible, nullptr);
        EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty()) << FromQt(widget->objectName());
        EXPECT_FALSE(accessible->text(QAccessible::Description).isEmpty()) << FromQt(widget->objectName());
    }
    const char* order[] = {"changeButton",    "filterField",  "tickAllButton", "untickAllButton", "cacheTree",
                           "permanentButton", "deleteButton", "exitButton",    "aboutButton"};
    Find<QWidget>(order[0])->setFocus();
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(FromQt(QApplication::focusWidget()->objectName()), order[i]);
    }
}

TEST_F(LookWindow, KeyboardPathsFilterTickDeleteAndListAgain)
{
    OpenIn(Look::Desktop);
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), Find<QWidget>("filterField"));

    // Two rows selected with Shift: Space ticks both, a second Space unticks both.
    Tree()->setFocus();
    Tree()->setCurrentIndex(Tree()->model()->index(0, 0));
    QTest::keyClick(Tree(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(Tree(), Qt::Key_Space);
    EXPECT_EQ(Model().TickedCount(), 2u);
    QTest::keyClick(Tree(), Qt::Key_Space);
    EXPECT_EQ(Model().TickedCount(), 0u);

    // The Delete key asks once about the selected packages; Cancel changes nothing.
    const std::string first = FromQt(Model().index(0, 0).data().toString());
    const std::string second = FromQt(Model().index(1, 0).data().toString());
    dialogs.answers = {false};
    QTest::keyClick(Tree(), Qt::Key_Delete);
    WaitIdle();
    EXPECT_EQ(dialogs.said, std::vector<std::string>{"? Delete Packages: Delete 2 Packages"});
    ASSERT_EQ(dialogs.plans.size(), 1u);
    ASSERT_EQ(dialogs.plans[0].lines.size(), 2u);
    EXPECT_EQ(dialogs.plans[0].lines[0].name, first);
    EXPECT_EQ(dialogs.plans[0].lines[1].name, second);
    EXPECT_EQ(Model().rowCount(), static_cast<int>(CorpusManifest().size()));

    // F5 lists the cache again, and sees a package gone meanwhile.
    std::filesystem::remove(game + "cache/" + CorpusEntry("Q2DM1.utx").guid + ".uxx");
    QTest::keyClick(window.get(), Qt::Key_F5);
    WaitIdle();
    EXPECT_EQ(Model().rowCount(), static_cast<int>(CorpusManifest().size()) - 1);
    EXPECT_TRUE(Model().RowsNamed("Q2DM1.utx").empty());
}

TEST_F(LookWindow, APackagesContextMenuOffersItsCommandsAndCopiesItsName)
{
    OpenIn(Look::Desktop);
    const QModelIndex package = Tree()->model()->index(2, 0);
    std::vector<std::string> offered;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions())
            if (!action->isSeparator())
                offered.push_back(FromQt(action->text()));
        QAction* copy = ActionNamed(menu->actions(), "&Copy Name");
        menu->close();
        if (copy)
            copy->trigger();
    });
    emit Tree()->customContextMenuRequested(Tree()->visualRect(package).center());
    EXPECT_EQ(offered,
              (std::vector<std::string>{"&Delete...", "Make &Permanent...", "Show in &File Manager", "&Copy Name"}));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), package.data().toString());
}

TEST_F(LookWindow, CheckTheCacheShowsTheProblemsGrouped)
{
    std::filesystem::remove(game + "cache/" + CorpusEntry("Q2DM1.utx").guid + ".uxx");
    OpenIn(Look::Desktop);
    std::vector<std::string> groups;
    WithDialog(Action("&Check the Cache..."), [&](QDialog& dialog) {
        auto* tree = dialog.findChild<QTreeWidget*>(QStringLiteral("problemsTree"));
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            groups.push_back(FromQt(tree->topLevelItem(i)->text(0)));
        tree->setCurrentItem(tree->topLevelItem(0)->child(1));
        dialog.findChild<QPushButton*>(QStringLiteral("copyCommandButton"))->click();
        dialog.reject();
    });
    ASSERT_FALSE(groups.empty());
    EXPECT_EQ(groups.front().substr(0, 7), "stale: ");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("tallyhold tidy --stale"));
}

// Each menu's underlined letters are its own: no two items of one menu (or of the menu bar) share one.
TEST_F(LookWindow, EveryMenuHasUniqueMnemonics)
{
    OpenIn(Look::Desktop);
    const auto mnemonics = [](const QList<QAction*>& actions) {
        std::map<QChar, std::vector<std::string>> taken;
        for (QAction* action : actions) {
            const QString text = action->text();
            const qsizetype at = text.indexOf(QLatin1Char('&'));
            if (at >= 0 && at + 1 < text.size())
                taken[text.at(at + 1).toLower()].push_back(FromQt(text));
        }
        return taken;
    };
    std::vector<QList<QAction*>> lists = {window->menuBar()->actions()};
    for (std::size_t i = 0; i < lists.size(); ++i)
        for (QAction* action : lists[i])
            if (action->menu())
                lists.push_back(action->menu()->actions());
    EXPECT_GE(lists.size(), 5u);  // the bar, File, View, Columns, Colours, Help
    for (const QList<QAction*>& actions : lists) {
        for (const auto& [letter, texts] : mnemonics(actions)) {
            EXPECT_EQ(texts.size(), 1u) << FromQt(QString(letter)) << ": " << texts.front() << ", " << texts.back();
        }
    }
}

// The problems view at 1x and 2x in every look: each line's whole text is shown (wrapped, never cut)
// and in its tooltip, and a disabled button stands out at least 3:1 from its background.
TEST_F(LookWindow, TheProblemsViewShowsWholeTextsAndReadableButtonsInEveryLook)
{
    // The game's own packages are not there: the maps' lines of missing packages are long.
    struct Case {
        const char* name;
        Look look;
        bool dark;
        qreal scale;
    };
    const Case cases[] = {{"1x-light", Look::Desktop, false, 1},   {"2x-light", Look::Desktop, false, 2},
                          {"1x-dark", Look::Desktop, true, 1},     {"2x-dark", Look::Desktop, true, 2},
                          {"1x-classic", Look::Classic, false, 1}, {"2x-classic", Look::Classic, false, 2}};
    OpenIn(Look::Desktop);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ApplyLook(c.look, c.dark);
        WithDialog(Action("&Check the Cache..."), [&](QDialog& dialog) {
            dialog.resize(640, 420);
            QApplication::processEvents();
            auto* tree = dialog.findChild<QTreeWidget*>(QStringLiteral("problemsTree"));
            tree->clearSelection();  // Return and Tidy are disabled with nothing selected
            QApplication::processEvents();
            int lines = 0, wrapped = 0;
            for (QTreeWidgetItemIterator it(tree); *it; ++it) {
                QTreeWidgetItem* item = *it;
                EXPECT_EQ(item->toolTip(0), item->text(0));
                if (!item->parent() || item->parent()->indexOfChild(item) == 0)
                    continue;  // headings and the remedy under each
                ++lines;
                const QRect cell = tree->visualItemRect(item);
                const int width = tree->columnWidth(0) - tree->indentation() * 2 - 8;
                const QRect needed =
                    tree->fontMetrics().boundingRect(QRect(0, 0, width, 10000), Qt::TextWordWrap, item->text(0));
                EXPECT_GE(cell.height(), needed.height()) << FromQt(item->text(0));
                wrapped += needed.height() > tree->fontMetrics().height() * 3 / 2;
            }
            EXPECT_GE(lines, 10);
            EXPECT_GE(wrapped, 3);  // some lines are longer than the column is wide
            QImage image(dialog.size() * c.scale, QImage::Format_RGB32);
            image.setDevicePixelRatio(c.scale);
            dialog.render(&image);
            for (const char* name : {"returnButton", "tidyButton"}) {
                auto* button = dialog.findChild<QPushButton*>(QString::fromUtf8(name));
                EXPECT_FALSE(button->isEnabled()) << name;
                const QRect area(button->mapTo(&dialog, QPoint(4, 4)) * c.scale,
                                 (button->size() - QSize(8, 8)) * c.scale);
                EXPECT_GE(ContrastIn(image, area), 3.0) << name;
            }
            const QString picture = QStringLiteral(THLD_QT_PROBLEMS_PICTURE).arg(QString::fromUtf8(c.name));
            EXPECT_TRUE(image.save(picture)) << FromQt(picture);
            dialog.reject();
        });
    }
}

}  // namespace
}  // namespace thld::test
