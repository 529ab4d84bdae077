// The card pane beside the tree, the Title column and the filter by titles and authors, over a
// cache of real packages; a picture of the window showing a map's card is kept.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "qt/card_pane.h"
#include "qt/qt_text.h"
#include "support/corpus.h"
#include "window_fixture.h"

namespace thld::test {
namespace {

class CardWindow : public WindowTest {
protected:
    void SetUp() override
    {
        THLD_REQUIRE_CORPUS();
        LayOutCorpus();
        Open();
        ASSERT_TRUE(WaitFor([this] { return Model().Cards().TitlesDone(); }));
    }
    QModelIndex Shown(const std::string& name) const
    {
        const QAbstractItemModel* shown = Tree()->model();
        for (int row = 0; row < shown->rowCount(); ++row)
            if (FromQt(shown->index(row, 0).data().toString()) == name)
                return shown->index(row, 0);
        ADD_FAILURE() << "not shown: " << name;
        return QModelIndex();
    }
    // The texts of the pane's labels shown, top to bottom.
    std::vector<std::string> CardTexts() const
    {
        std::vector<std::string> texts;
        for (const char* name : {"cardTitle", "cardAuthor", "cardPlayers", "cardSize", "cardOffline", "cardNote"})
            if (auto* label = Find<QLabel>(name); label && !label->isHidden())
                texts.push_back(FromQt(label->text()));
        return texts;
    }
};

TEST_F(CardWindow, ShowsTheCardOfTheSelectedPackage)
{
    struct Case {
        std::string name;
        std::vector<std::string> texts;
        QSize screenshot;
    };
    const std::vector<Case> cases = {
        {"DM-Babylon.unr",
         {"Babylon", "by Rich 'Akuma' Eastwood", "Players: 6-8", "DM-Babylon.unr, 796 KiB, Map",
          "Offline: will not load once made permanent: Engine, Ancient, GenIn, Botpack, GenFluid, Mine, UTtech2, "
          "GreatFire, UnrealShare, Skybox, GenFX, ShaneSky, AmbAncient, Indus1, Skaarj, DoorsAnc, DecayedS, "
          "AmbOutside, AmbModern, Liquids, shaneDAY, Seeker and Core are found neither in the game's folders nor in "
          "the cache"},
         QSize(256, 256)},
        {"DM-Bond 007 Goldeneye Complex.unr",
         {"DmComplex007", "by Goldabar", "Players: 4 to 6", "DM-Bond 007 Goldeneye Complex.unr, 1.1 MiB, Map",
          "Offline: will not load once made permanent: Engine, UTtech1, city, Botpack, SKYBox, Mine, DecayedS, GenFX, "
          "UnrealI, UTtech2, Amboutside, RainFX, UnrealShare, shanesky, Liquids, genfluid, Run, Core and Detail "
          "(through Untitled.utx) are found neither in the game's folders nor in the cache",
          "Screenshot: Screenshot in the package Untitled (not read)"},
         QSize(0, 0)},
        {"ECM.u",
         {"ECM.u", "ECM.u, 12 KiB, Script",
          "Offline: will not load once made permanent: Engine and Core are found neither in the game's folders nor in "
          "the cache"},
         QSize(0, 0)},
    };
    for (const Case& c : cases) {
        Tree()->setCurrentIndex(Shown(c.name));
        auto* picture = Find<ScreenshotView>("cardScreenshot");
        EXPECT_TRUE(WaitFor([&] {
            return CardTexts().size() == c.texts.size() && CardTexts() != std::vector<std::string>{c.name};
        })) << c.name;
        EXPECT_EQ(CardTexts(), c.texts) << c.name;
        EXPECT_EQ(picture->Image().size(), c.screenshot) << c.name;
    }
}

TEST_F(CardWindow, SortsByTitleAndFiltersByTitleAndAuthor)
{
    Tree()->sortByColumn(CacheModel::TitleColumn, Qt::AscendingOrder);
    const std::vector<std::string> shown = ShownNames();
    const std::vector<std::string> byTitle = {"DM-Ablee.unr",
                                              "DM-Babylon.unr",
                                              "DM-Bond 007 Goldeneye Archives.unr",
                                              "DM-Bond 007 Goldeneye Stack.unr",
                                              "DM-Bond 007 Goldeneye Temple.unr",
                                              "DM-Bond 007 Goldeneye Complex.unr",
                                              "DOM-Bond 007 Goldeneye Stack.unr",
                                              "CTF-Extortion.unr",
                                              "DM-Flux.unr",
                                              "MH-NaliVillage][.unr",
                                              "MA-RocketArena.unr",
                                              "DM-Q2DM1.unr"};
    ASSERT_GE(shown.size(), byTitle.size());
    EXPECT_EQ(std::vector<std::string>(shown.begin(), shown.begin() + byTitle.size()), byTitle);

    struct Case {
        const char* typed;
        std::vector<std::string> shown;
    };
    const std::vector<Case> cases = {
        {"shrimp", {"MA-RocketArena.unr", "MH-NaliVillage][.unr"}},  // authors
        {"the edge", {"DM-Q2DM1.unr"}},                              // a title
        {"m\xC3\xBCnnich", {"CTF-Extortion.unr", "DM-Ablee.unr"}},   // an author of Latin-1 letters
    };
    Tree()->sortByColumn(-1, Qt::AscendingOrder);
    for (const Case& c : cases) {
        auto* field = Find<QLineEdit>("filterField");
        field->setText(QString::fromUtf8(c.typed));
        std::vector<std::string> expected = c.shown;
        EXPECT_EQ(ShownNames(), expected) << c.typed;
    }
}

TEST_F(CardWindow, APictureOfTheWindowShowingACardIsKept)
{
    Tree()->setCurrentIndex(Shown("DM-Flux.unr"));
    ASSERT_TRUE(WaitFor([this] { return !Find<ScreenshotView>("cardScreenshot")->Image().isNull(); }));
    window->resize(1100, 620);
    QApplication::processEvents();
    EXPECT_TRUE(window->grab().save(QStringLiteral(THLD_QT_CARD_PICTURE)));
}

}  // namespace
}  // namespace thld::test
