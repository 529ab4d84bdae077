#include "game/cache_contents.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "support/fake_cache.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

using test::KindWords;
using test::LengthPrefixed;
using Step = std::tuple<ListingPhase, std::size_t, std::size_t>;

// A game whose cache holds a map that requires a texture package; Maps holds the map byte for byte,
// Textures another file of the texture package's name.
class GameWithCache : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* sub : {"game/cache", "game/Maps", "game/Textures"})
            temp.MakeFolder(sub);
        const std::string map = KindWords(kind::Map) + LengthPrefixed("Rock") + std::string(600, ' ');
        temp.Write("game/cache/M.uxx", map);
        temp.Write("game/cache/T.uxx", KindWords(kind::Textures) + std::string(600, ' '));
        test::WriteIndex(folders.cacheFolder, {"M=DM-Stone.unr", "T=Rock.utx"});
        temp.Write("game/Maps/DM-Stone.unr", map);
        temp.Write("game/Textures/rock.utx", "another version");
    }
    test::TempFolder temp;
    GameFolders folders{temp / "game/", temp / "game/cache/"};
};

TEST_F(GameWithCache, RunsThePhasesInOrderAndGivesRequirementsAndInstalledCopies)
{
    std::vector<Step> seen;
    const CacheContents contents = ListCacheContents(folders, InstalledCopies::Check, [&](auto phase, auto d, auto t) {
        seen.emplace_back(phase, d, t);
        return ListingStep::Continue;
    });
    using enum ListingPhase;
    EXPECT_EQ(seen, (std::vector<Step>{{Kinds, 0, 0},
                                       {Kinds, 1, 2},
                                       {Kinds, 2, 2},
                                       {Requirements, 0, 0},
                                       {Installed, 0, 2},
                                       {Installed, 1, 2},
                                       {Installed, 2, 2}}));
    ASSERT_EQ(contents.listing.outcome, Listing::Outcome::Listed);
    ASSERT_EQ(contents.listing.items.size(), 2u);
    EXPECT_EQ(contents.listing.items[0].requirements, (std::vector<std::string>{"Rock.utx"}));
    ASSERT_EQ(contents.installed.size(), 2u);
    EXPECT_EQ(contents.installed[0].copy, InstalledCopy::Identical);
    EXPECT_EQ(contents.installed[1].copy, InstalledCopy::Different);
}

TEST_F(GameWithCache, AStopAtAnyStepEndsTheListingAsStopped)
{
    using enum ListingPhase;
    for (const Step& stopAt :
         std::vector<Step>{{Kinds, 0, 0}, {Kinds, 1, 2}, {Requirements, 0, 0}, {Installed, 0, 2}, {Installed, 2, 2}}) {
        const CacheContents contents = ListCacheContents(folders, InstalledCopies::Check, [&](auto p, auto d, auto t) {
            return Step{p, d, t} == stopAt ? ListingStep::Stop : ListingStep::Continue;
        });
        EXPECT_EQ(contents.listing.outcome, Listing::Outcome::Stopped);
        EXPECT_TRUE(contents.installed.empty());
    }
}

TEST_F(GameWithCache, InstalledCopiesOnlyWhenAskedAndTheGameFolderIsKnown)
{
    struct Case {
        InstalledCopies copies;
        std::string gameFolder;
        std::size_t installed;
    };
    for (const Case& c : std::vector<Case>{{InstalledCopies::Check, folders.gameFolder, 2},
                                           {InstalledCopies::Skip, folders.gameFolder, 0},
                                           {InstalledCopies::Check, "", 0}}) {
        const CacheContents contents = ListCacheContents({c.gameFolder, folders.cacheFolder}, c.copies);
        EXPECT_EQ(contents.listing.items.size(), 2u);
        EXPECT_EQ(contents.listing.items[0].requirements.size(), 1u);
        EXPECT_EQ(contents.installed.size(), c.installed);
    }
}

// Every item is handed over as it is listed, in file order and in batches, all of them before the
// requirements pass begins, and without the names found in its file.
TEST(ListedItems, ComeInOrderInBatchesBeforeTheRequirements)
{
    test::TempFolder temp;
    temp.MakeFolder("game");
    temp.MakeFolder("game/cache");
    const GameFolders folders{temp / "game/", temp / "game/cache/"};
    std::vector<std::string> lines;
    for (int i = 0; i < 150; ++i) {
        const std::string number = std::to_string(i);
        temp.Write("game/cache/K" + number + ".uxx", KindWords(i % 2 ? kind::Map : kind::Textures));
        lines.push_back(std::string("K").append(number).append("=P").append(number).append(i % 2 ? ".unr" : ".utx"));
    }
    test::WriteIndex(folders.cacheFolder, lines);
    ListingPhase phase = ListingPhase::Kinds;
    std::vector<std::string> handed;
    std::size_t batches = 0;
    const CacheContents contents = ListCacheContents(
        folders, InstalledCopies::Skip,
        [&](ListingPhase now, std::size_t, std::size_t) {
            phase = now;
            return ListingStep::Continue;
        },
        [&](std::vector<PackageItem>&& items) {
            EXPECT_EQ(phase, ListingPhase::Kinds);
            ++batches;
            for (const PackageItem& item : items) {
                EXPECT_FALSE(item.namesInRegion) << item.name;
                handed.push_back(item.name);
            }
        });
    std::vector<std::string> listed;
    for (const PackageItem& item : contents.listing.items)
        listed.push_back(item.name);
    EXPECT_EQ(handed, listed);
    EXPECT_EQ(listed.size(), 150u);
    EXPECT_GT(batches, 1u);
}

}  // namespace
}  // namespace thld
