// tallyhold check: the problems of a cache of real packages, as text and as JSON.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/test_game.h"
#include "support/corpus.h"
#include "support/made_package.h"
#include "support/temp_folder.h"

namespace thld::test {
namespace {

using nlohmann::json;

// The game folder with ECM.u installed in System in another version (another GUID): the case of a
// server that updated a package a player had made permanent.
void InstallAnotherVersion(const TestGame& game)
{
    game.LayCorpus({"ECM.u", "Exp.u", "Q2DM1.utx"});
    std::string other = ReadFileBytes(*CorpusFolder() + "packages/ECM.u");
    other[36] = static_cast<char>(other[36] ^ 0xFF);  // the GUID's first number
    WriteFileBytes(game.Path("System/ECM.u"), other);
    // Q2DM1.utx installed with other bytes but its own GUID: no problem.
    WriteFileBytes(game.Path("Textures/Q2DM1.utx"), ReadFileBytes(*CorpusFolder() + "packages/Q2DM1.utx") + "x");
}

TEST(CliCheck, ReportsAnotherVersionInstalledAsAMismatch)
{
    THLD_REQUIRE_CORPUS();
    const TestGame game;
    InstallAnotherVersion(game);
    const ProgramResult result = game.Run({"check", "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const json document = json::parse(result.out);
    EXPECT_EQ(document["schema"], 1);
    std::vector<std::string> mismatched;
    for (const json& problem : document["problems"]) {
        EXPECT_TRUE(problem.contains("key")) << problem;
        if (problem["problem"] == "mismatch")
            mismatched.push_back(problem["name"]);
        else
            EXPECT_EQ(problem["problem"], "missing") << problem;  // System holds no Core.u or Engine.u
    }
    EXPECT_EQ(mismatched, std::vector<std::string>{"ECM.u"});
    EXPECT_EQ(document["problems"][0]["key"], CorpusEntry("ECM.u").guid);
    EXPECT_EQ(document["problems"][0]["installed_guid"], "8DF7E7DC434A1CDA4C8ADBA4C4CBABBF");

    const ProgramResult text = game.Run({"check"});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_PRED2(Holds, text.out, "mismatch: ");
    EXPECT_PRED2(Holds, text.out, "  ECM.u  cached " + CorpusEntry("ECM.u").guid);
}

TEST(CliCheck, ACacheWithoutProblemsSaysSo)
{
    TestGame game;
    game.LayMadeUp({{"AAAA", "Tex.utx", kind::Textures}});
    WriteFileBytes(game.CachedPath("AAAA"), PackageImporting(kind::Textures, {1, 2, 3, 4}, {}));
    const ProgramResult text = game.Run({"check"});
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(text.out, "No problems found.\n");
    EXPECT_EQ(json::parse(game.Run({"check", "--json"}).out), json::parse(R"({"schema":1,"problems":[]})"));
}

}  // namespace
}  // namespace thld::test
