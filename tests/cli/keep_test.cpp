// tallyhold keep: the window's Permanent, answered on the terminal.
#include <gtest/gtest.h>

#include <filesystem>

#include "cache/step_journal.h"
#include "cli/test_game.h"
#include "commands/permanent_plan.h"
#include "commands/run_plan.h"
#include "package/package_kind.h"
#include "support/corpus.h"

namespace thld::test {
namespace {

namespace fs = std::filesystem;

class YesPrompt : public UserPrompt {
public:
    bool Confirm(const std::string&, const std::string&) override { return true; }
    void Tell(const std::string& message) override { ADD_FAILURE() << message; }
};

const std::string kMap = "DM-Bond 007 Goldeneye Archives.unr";
const std::vector<std::string> kPackages = {kMap,           "007Tex.utx",  "Exp.u", "NBDeco.u",
                                            "Untitled.utx", "DM-Flux.unr", "ECM.u"};

// The game folder as the window's Permanent leaves it after Yes to the map.
std::map<std::string, std::string> AfterTheWindowsPermanent()
{
    TestGame twin;
    twin.LayCorpus(kPackages);
    const std::vector<PackageItem> items = twin.Listed();
    std::vector<bool> ticks(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        ticks[i] = items[i].name == kMap;
    YesPrompt yes;
    RunPlan(twin.folders, PlanPermanent(twin.folders, items, ticks), yes);
    return twin.Files();
}

TEST(CliKeep, MovesAMapWithWhatItRequiresAsTheWindowDoes)
{
    THLD_REQUIRE_CORPUS();
    const auto permanent = AfterTheWindowsPermanent();
    struct Case {
        std::vector<std::string> arguments;
        std::string input;
        int exitCode;
        bool moved;
        const char* told;  // on standard error
    };
    const std::vector<Case> cases = {
        {{"keep", "--yes", "DM-Bond 007 Goldeneye Archives"}, "", 0, true, ""},
        {{"keep", "dm-bond 007 goldeneye archives.UNR"},
         "y\n",
         0,
         true,
         "Are you sure you want to make this file permanent?"},
        {{"keep", "--dry-run", kMap}, "", 0, false, ""},
        {{"keep", kMap}, "n\n", 1, false, "[y/N/a/q] n"},
        {{"keep", kMap}, "", 1, false, "(end of input: no)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.back() + " " + c.arguments[1] + " / input " + c.input);
        TestGame game;
        game.LayCorpus(kPackages);
        const auto before = game.Files();
        const ProgramResult result = game.Run(c.arguments, c.input);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_PRED2(Holds, result.err, c.told);
        if (c.moved) {
            // Every file, cache.ini and cache.bak among them, byte for byte.
            EXPECT_TRUE(game.Files() == permanent);
            EXPECT_PRED2(Holds, result.out, "Made 5 packages permanent.");
        } else {
            EXPECT_TRUE(game.Files() == before);
            EXPECT_PRED2(Holds, result.out, game.folders.gameFolder + "Maps");
        }
    }
}

// A keep ended between the map's move and its line's removal, as `--game` gave the folders; the
// next program is given the cache folder alone, and settles the step in the game folder the record
// names, saying so.
TEST(CliKeep, AStepLeftUnfinishedIsSettledWithTheCacheFolderAlone)
{
    TestGame game;
    game.LayMadeUp({{"K1", "One.unr", kind::Map}});
    const std::string cache = game.folders.cacheFolder;
    fs::rename(FsPath(cache + "K1.uxx"), FsPath(game.Path("Maps/One.unr")));
    const StepJournal record{StepJournal::Kind::Move,   "K1=One.unr",           cache + "K1.uxx", "",
                             game.Path("Maps/One.unr"), game.folders.gameFolder};
    WriteFileBytes(cache + kStepJournalFileName, EncodeStepJournal(record));

    const ProgramResult result = RunTallyhold({{"list", "--cache", cache}});

    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "tallyhold: A change that a program ended midway, recorded in " + cache +
                              "cache.ini.tallyhold-journal, was undone in the game folder it names, " +
                              game.folders.gameFolder + ", as no game folder was given.\n");
    EXPECT_TRUE(game.IsCached("K1") && game.InIndex("K1=One.unr"));
    EXPECT_FALSE(fs::exists(FsPath(game.Path("Maps/One.unr"))));
}

}  // namespace
}  // namespace thld::test
