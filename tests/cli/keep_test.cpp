// tallyhold keep: the window's Permanent, answered on the terminal.
#include <gtest/gtest.h>

#include "cli/test_game.h"
#include "commands/run_plan.h"
#include "support/corpus.h"

namespace thld::test {
namespace {

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
    MakeTickedPermanent(twin.folders, items, ticks, yes);
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

}  // namespace
}  // namespace thld::test
