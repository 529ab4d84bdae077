// The window as a desktop program: its look (the desktop's palette, light or dark, or the classic
// colours) with tick boxes and arrows that stand out, its size on small and large screens, its
// keyboard paths and accessible names, the problems view, and the check for a display.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPushButton>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "qt/desktop_look.h"
#include "qt/display_check.h"
#include "qt/platform_words.h"
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

TEST(PlatformWords, TheFirstRunOnLinuxAndMacOSSpeaksOfNoRegistryAndNoDriveLetter)
{
    for (const char* text : {kNoGameEntryMessage, kNoFolderValueMessage, kPickerTitle}) {
        for (SearchPlaces::System system : {SearchPlaces::System::Linux, SearchPlaces::System::MacOS}) {
            const std::string shown = PlatformWords(text, system);
            EXPECT_EQ(shown.find("Registry"), std::string::npos) << shown;
            EXPECT_EQ(shown.find("C:\\"), std::string::npos) << shown;
        }
        EXPECT_EQ(PlatformWords(text, SearchPlaces::System::Windows), text);
    }
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

    // The Delete key asks Delete's question about each selected package; No changes nothing.
    const std::string first = FromQt(Model().index(0, 0).data().toString());
    const std::string second = FromQt(Model().index(1, 0).data().toString());
    dialogs.answers = {false, false};
    QTest::keyClick(Tree(), Qt::Key_Delete);
    WaitIdle();
    ASSERT_EQ(dialogs.said.size(), 2u);
    EXPECT_NE(dialogs.said[0].find(first), std::string::npos);
    EXPECT_NE(dialogs.said[1].find(second), std::string::npos);
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
        QAction* copy = nullptr;
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator())
                offered.push_back(FromQt(action->text()));
            if (action->text() == QStringLiteral("&Copy Name"))
                copy = action;
        }
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
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* tree = dialog->findChild<QTreeWidget*>(QStringLiteral("problemsTree"));
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            groups.push_back(FromQt(tree->topLevelItem(i)->text(0)));
        tree->setCurrentItem(tree->topLevelItem(0)->child(1));
        dialog->findChild<QPushButton*>(QStringLiteral("copyCommandButton"))->click();
        if (const char* picture = std::getenv("THLD_QT_PROBLEMS_PICTURE"))
            dialog->grab().save(QString::fromUtf8(picture));
        dialog->reject();
    });
    QAction* check = nullptr;
    for (QAction* action : window->findChildren<QAction*>())
        if (action->text() == QStringLiteral("Check the &Cache..."))
            check = action;
    ASSERT_NE(check, nullptr);
    check->trigger();
    ASSERT_FALSE(groups.empty());
    EXPECT_EQ(groups.front().substr(0, 7), "stale: ");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("tallyhold tidy --stale"));
}

}  // namespace
}  // namespace thld::test
