#include <algorithm>

#include "cache/cached_file.h"
#include "cache/index_lookup.h"
#include "commands/command_fixture.h"
#include "game/cache_contents.h"
#include "support/corpus.h"

namespace thld::test {
namespace {

using RealCache = CommandTest;

// The listing and the requirements pass as the window runs them, then Permanent on one map.
TEST_F(RealCache, AMapGoesPermanentWithTheFourPackagesItRequires)
{
    THLD_REQUIRE_CORPUS();
    const auto laid = LayOutGameFolder(folders.gameFolder);
    items = ListCacheContents(folders, InstalledCopies::Skip).listing.items;
    const std::vector<std::string> linesBefore = IndexLines();
    const std::string map = "DM-Bond 007 Goldeneye Archives.unr";
    std::vector<bool> ticks(items.size());
    ticks[std::find_if(items.begin(), items.end(), [&](const PackageItem& i) { return i.name == map; }) -
          items.begin()] = true;

    MoveWatch watch;
    ScriptedPrompt prompt({true});
    EXPECT_TRUE(Permanent(ticks, prompt));
    EXPECT_EQ(prompt.questions.size(), 1u);
    EXPECT_TRUE(prompt.told.empty());

    const std::vector<std::pair<std::string, std::string>> expected = {{"007Tex.utx", "Textures/007Tex.utx"},
                                                                       {"Exp.u", "System/Exp.u"},
                                                                       {"NBDeco.u", "System/NBDeco.u"},
                                                                       {"Untitled.utx", "Textures/Untitled.utx"},
                                                                       {map, "Maps/" + map}};
    std::vector<std::string> movedFrom, expectedFrom;
    for (const std::string& from : watch.moves)
        if (from.size() > 4 && from.compare(from.size() - 4, 4, ".uxx") == 0)
            movedFrom.push_back(from);
    std::vector<std::string> linesLeft = linesBefore;
    for (const auto& [file, destination] : expected) {
        const CorpusPackage& p = CorpusEntry(file);
        expectedFrom.push_back(CachedPath(p.guid));
        EXPECT_FALSE(IsCached(p.guid)) << file;
        ASSERT_TRUE(temp.Exists("game/" + destination)) << destination;
        EXPECT_TRUE(ReadFileBytes(Path(destination)) ==
                    ReadFileBytes(*CorpusFolder() + "packages" + kPathSeparator + file))
            << destination;
        linesLeft.erase(std::find(linesLeft.begin(), linesLeft.end(), p.guid + "=" + file));
    }
    EXPECT_EQ(movedFrom, expectedFrom);
    EXPECT_EQ(IndexLines(), linesLeft);
    EXPECT_EQ(Snapshot(folders.gameFolder).size(), laid.size() + 2);  // and cache.ini, cache.bak
}

}  // namespace
}  // namespace thld::test
