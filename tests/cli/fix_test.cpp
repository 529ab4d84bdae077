// tallyhold return and tidy: the fixes of what check finds, on game folders of the tests.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>

#include "cli/test_game.h"
#include "support/corpus.h"
#include "support/made_package.h"
#include "support/temp_folder.h"

namespace thld::test {
namespace {

using nlohmann::json;

// The problems check --json reports, as "problem name-or-key".
std::vector<std::string> Problems(const TestGame& game)
{
    const ProgramResult result = game.Run({"check", "--json"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::vector<std::string> problems;
    const json document = json::parse(result.out);
    for (const json& p : document["problems"])
        if (p["problem"] != "missing")  // System holds no Core.u or Engine.u
            problems.push_back(p["problem"].get<std::string>() + " " +
                               (p.contains("name") ? p["name"] : p["key"]).get<std::string>());
    return problems;
}

// ECM.u installed in System in another version than the cached one (a server updated it).
std::string InstallAnotherEcm(const TestGame& game)
{
    game.LayCorpus({"ECM.u", "Exp.u"});
    std::string other = ReadFileBytes(*CorpusFolder() + "packages/ECM.u");
    other[36] = static_cast<char>(other[36] ^ 0xFF);  // the GUID's first number
    WriteFileBytes(game.Path("System/ECM.u"), other);
    return other;
}

TEST(CliReturn, PutsAnotherVersionIntoTheCacheUnderItsGuid)
{
    THLD_REQUIRE_CORPUS();
    const TestGame game;
    const std::string installed = InstallAnotherEcm(game);
    const std::string guid = "8DF7E7DC434A1CDA4C8ADBA4C4CBABBF";
    ASSERT_EQ(Problems(game), std::vector<std::string>{"mismatch ECM.u"});
    EXPECT_PRED2(Holds, game.Run({"check"}).out, "fix: tallyhold return ECM.u");
    EXPECT_EQ(json::parse(game.Run({"check", "--json"}).out)["problems"][0]["fix"], "tallyhold return ECM.u");

    const ProgramResult dry = game.Run({"return", "--dry-run", "ecm"});
    EXPECT_EQ(dry.exitCode, 0) << dry.err;
    EXPECT_PRED2(Holds, dry.out, "-> " + game.CachedPath(guid) + ", line " + guid + "=ECM.u");
    EXPECT_TRUE(std::filesystem::exists(game.Path("System/ECM.u")));

    const ProgramResult result = game.Run({"return", "--yes", "ECM"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_FALSE(std::filesystem::exists(game.Path("System/ECM.u")));
    EXPECT_EQ(ReadFileBytes(game.CachedPath(guid)), installed);
    EXPECT_TRUE(game.InIndex(guid + "=ECM.u"));
    EXPECT_TRUE(game.InIndex(CorpusEntry("ECM.u").guid + "=ECM.u"));
    EXPECT_TRUE(std::filesystem::exists(game.folders.cacheFolder + "cache.bak"));
    EXPECT_EQ(Problems(game), std::vector<std::string>{"duplicate ECM.u"});
}

// Return leaves two versions of ECM.u cached: neither requires the other, and Permanent takes the
// one named by its key, never both to one place.
TEST(CliReturn, ThenKeepTakesTheOneVersionNamedByItsKey)
{
    THLD_REQUIRE_CORPUS();
    const TestGame game;
    const std::string installed = InstallAnotherEcm(game);
    const std::string returned = "8DF7E7DC434A1CDA4C8ADBA4C4CBABBF", cached = CorpusEntry("ECM.u").guid;
    ASSERT_EQ(game.Run({"return", "--yes", "ECM.u"}).exitCode, 0);
    const ProgramResult list = game.Run({"list"});
    EXPECT_FALSE(Holds(list.out, "requires ECM.u")) << list.out;

    const auto before = game.Files();
    const ProgramResult both = game.Run({"keep", "--yes", "ECM"});
    EXPECT_EQ(both.exitCode, 1);
    EXPECT_PRED2(
        Holds, both.err,
        "\"ECM.u\" is cached in 2 versions; name the one to make permanent by its key: " + cached + ", " + returned);
    EXPECT_EQ(game.Files(), before);

    EXPECT_PRED2(Holds, game.Run({"keep", "--dry-run", returned}).out, "the version " + returned + " (of 2 cached)");
    ASSERT_EQ(game.Run({"keep", "--yes", returned}).exitCode, 0);
    EXPECT_EQ(ReadFileBytes(game.Path("System/ECM.u")), installed);
    EXPECT_TRUE(game.InIndex(cached + "=ECM.u"));
    EXPECT_TRUE(std::filesystem::exists(game.CachedPath(cached)));
}

TEST(CliReturn, LeavesBothWhenTheCacheHoldsThatGuid)
{
    THLD_REQUIRE_CORPUS();
    const TestGame game;
    const std::string installed = InstallAnotherEcm(game);
    const std::string guid = "8DF7E7DC434A1CDA4C8ADBA4C4CBABBF";
    WriteFileBytes(game.CachedPath(guid), installed);  // cached already, without a line
    const auto before = game.Files();
    const ProgramResult result = game.Run({"return", "--yes", "ECM.u"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_PRED2(Holds, result.err, "the cache holds its GUID " + guid + " already");
    EXPECT_EQ(game.Files(), before);
}

struct TidyCase {
    const char* what;
    std::vector<std::string> arguments;
    std::vector<std::string> problemsAfter;
};

void PrintTo(const TidyCase& c, std::ostream* out) { *out << c.what; }

class CliTidy : public ::testing::TestWithParam<TidyCase> {};

// A stale line (GONE), an orphan (BBBB...) and one more orphan (CCCC...), beside a sound package.
TEST_P(CliTidy, RemovesWhatItIsAskedFor)
{
    const TestGame game;
    const std::string orphan1(32, 'B'), orphan2(32, 'C');
    game.LayMadeUp({{"AAAA", "Tex.utx", kind::Textures}, {"GONE", "Gone.utx", kind::Textures}});
    WriteFileBytes(game.CachedPath("AAAA"), PackageImporting(kind::Textures, {1, 2, 3, 4}, {}));
    std::filesystem::remove(game.CachedPath("GONE"));
    WriteFileBytes(game.CachedPath(orphan1), "one");
    WriteFileBytes(game.CachedPath(orphan2), "two");
    std::vector<std::string> arguments = {"tidy", "--yes"};
    for (const std::string& a : GetParam().arguments)
        arguments.push_back(a == "ORPHAN" ? orphan1 : a);
    const ProgramResult result = game.Run(arguments);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::vector<std::string> expected;
    for (const std::string& p : GetParam().problemsAfter)
        expected.push_back(p == "orphan 1" ? "orphan " + orphan1 : p == "orphan 2" ? "orphan " + orphan2 : p);
    EXPECT_EQ(Problems(game), expected);
    EXPECT_TRUE(game.InIndex("AAAA=Tex.utx"));
}

INSTANTIATE_TEST_SUITE_P(, CliTidy,
                         ::testing::Values(TidyCase{"StaleByDefault", {}, {"orphan 1", "orphan 2"}},
                                           TidyCase{"OrphanNamed", {"ORPHAN"}, {"stale Gone.utx", "orphan 2"}},
                                           TidyCase{"EveryOrphan", {"--orphans"}, {"stale Gone.utx"}},
                                           TidyCase{"Everything", {"--stale", "--orphans"}, {}}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST(CliTidyNames, ANameThatIsNoOrphanChangesNothing)
{
    const TestGame game;
    game.LayMadeUp({{"AAAA", "Tex.utx", kind::Textures}});
    const auto before = game.Files();
    const ProgramResult result = game.Run({"tidy", "--yes", "AAAA"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_PRED2(Holds, result.err, "no cached file without a line is named AAAA");
    EXPECT_EQ(game.Files(), before);
}

}  // namespace
}  // namespace thld::test
