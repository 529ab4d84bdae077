#include "commands/command_fixture.h"
#include "package/package_kind.h"
#include "support/kinds.h"

namespace thld::test {
namespace {

class MovingRequirements : public CommandTest {
protected:
    // The keys of the cached files moved, in order.
    std::vector<std::string> MovedKeys() const
    {
        std::vector<std::string> keys;
        const std::string& cache = folders.cacheFolder;
        for (const std::string& from : watch.moves) {
            if (from.rfind(cache, 0) == 0 && from.size() > cache.size() + 4 &&
                from.compare(from.size() - 4, 4, ".uxx") == 0)
                keys.push_back(from.substr(cache.size(), from.size() - cache.size() - 4));
        }
        return keys;
    }

    MoveWatch watch;
};

TEST_F(MovingRequirements, RequiredPackagesGoFirstDepthFirstEachWithItsOwnLine)
{
    Lay({{"KM", "Arena.unr", kMap, {"A.utx", "B.utx", "C.u"}},
         {"KA", "A.utx", kTex},
         {"KB", "B.utx", kTex},
         {"KC", "C.u", kScript, {"E.utx"}},
         {"KE", "E.utx", kTex},
         {"KX", "Unrelated.utx", kTex}});

    ScriptedPrompt prompt({true});
    EXPECT_TRUE(Permanent({true}, prompt));
    EXPECT_EQ(prompt.questions.size(), 1u);
    EXPECT_EQ(MovedKeys(), (std::vector<std::string>{"KA", "KB", "KE", "KC", "KM"}));
    EXPECT_TRUE(Moved("Textures/A.utx", kTex, "KA"));
    EXPECT_TRUE(Moved("Textures/B.utx", kTex, "KB"));
    EXPECT_TRUE(Moved("Textures/E.utx", kTex, "KE"));
    EXPECT_TRUE(Moved("System/C.u", kScript, "KC"));
    EXPECT_TRUE(Moved("Maps/Arena.unr", kMap, "KM"));
    EXPECT_EQ(IndexLines(), (std::vector<std::string>{"[Cache]", "KX=Unrelated.utx"}));
}

TEST_F(MovingRequirements, APackageRequiredTwiceMovesOnceAndTheUnmovableStay)
{
    Lay({{"KM", "Arena.unr", kMap, {"T.utx", "C.u", "NoItem.utx", "Unreadable.utx", "Music.umx", "Absent.utx"}},
         {"KT", "T.utx", kTex},
         {"KC", "C.u", kScript, {"T.utx"}},
         {"KN", "NoItem.utx", kTex},
         {"KU", "Unreadable.utx", ""},
         {"KS", "Music.umx", "music"}});
    items.erase(items.begin() + 3);  // NoItem.utx has a line and a file, but no package item

    ScriptedPrompt prompt({true});
    EXPECT_TRUE(Permanent({true}, prompt));
    EXPECT_TRUE(prompt.told.empty());
    EXPECT_EQ(MovedKeys(), (std::vector<std::string>{"KT", "KC", "KS", "KM"}));  // music goes to Music
    EXPECT_EQ(IndexLines(), (std::vector<std::string>{"[Cache]", "KN=NoItem.utx", "KU=Unreadable.utx"}));
}

TEST_F(MovingRequirements, ARefusedReplacementKeepsThatPackageAndMovesTheRest)
{
    Lay({{"KM", "Arena.unr", kMap, {"A.utx", "B.utx"}}, {"KA", "A.utx", kTex}, {"KB", "B.utx", kTex}});
    temp.Write("game/Textures/A.utx", "kept");

    ScriptedPrompt prompt({true, false});
    EXPECT_TRUE(Permanent({true}, prompt));
    EXPECT_EQ(prompt.Titles(), (std::vector<std::string>{"Confirm Move File", "Confirm Replace File"}));
    EXPECT_EQ(temp.Read("game/Textures/A.utx"), "kept");
    EXPECT_TRUE(Moved("Textures/B.utx", kTex, "KB"));
    EXPECT_TRUE(Moved("Maps/Arena.unr", kMap, "KM"));
    EXPECT_EQ(IndexLines(), (std::vector<std::string>{"[Cache]", "KA=A.utx"}));
}

// Script packages that require each other: every one moves once, the ticked one last.
struct Cycle {
    const char* what;
    std::vector<test::Cached> packages;
    std::vector<std::string> order;
};

// "<prefix><n><suffix>", appended piece by piece.
std::string Numbered(const char* prefix, int n, const char* suffix = "")
{
    std::string text(prefix);
    text += std::to_string(n);
    text += suffix;
    return text;
}

// 200 script packages, each requiring the next and the first: a long chain closed into a cycle.
Cycle LongCycle()
{
    constexpr int kLength = 200;
    Cycle cycle{"Long", {}, {}};
    for (int i = 0; i < kLength; ++i)
        cycle.packages.push_back(
            {Numbered("K", i), Numbered("P", i, ".u"), kScript, {Numbered("P", (i + 1) % kLength, ".u"), "P0.u"}});
    for (int i = kLength - 1; i >= 0; --i)
        cycle.order.push_back(Numbered("K", i));
    return cycle;
}

class RequirementCycles : public MovingRequirements, public ::testing::WithParamInterface<Cycle> {};

TEST_P(RequirementCycles, EndWithEveryPackageMovedOnce)
{
    Lay(GetParam().packages);
    ScriptedPrompt prompt({true});
    EXPECT_TRUE(Permanent({true}, prompt));
    EXPECT_EQ(prompt.questions.size(), 1u);
    EXPECT_EQ(MovedKeys(), GetParam().order);
    for (const test::Cached& p : GetParam().packages)
        EXPECT_TRUE(Moved("System/" + p.value, kScript, p.key)) << p.value;
    EXPECT_EQ(IndexLines(), (std::vector<std::string>{"[Cache]"}));
}

INSTANTIATE_TEST_SUITE_P(
    , RequirementCycles,
    ::testing::Values(
        Cycle{"Two", {{"KA", "A.u", kScript, {"B.u"}}, {"KB", "B.u", kScript, {"A.u"}}}, {"KB", "KA"}},
        Cycle{"Three",
              {{"KA", "A.u", kScript, {"B.u"}}, {"KB", "B.u", kScript, {"C.u"}}, {"KC", "C.u", kScript, {"A.u"}}},
              {"KC", "KB", "KA"}},
        Cycle{"Self", {{"KA", "A.u", kScript, {"A.u", "B.u"}}, {"KB", "B.u", kScript, {"B.u", "A.u"}}}, {"KB", "KA"}},
        LongCycle()),
    [](const ::testing::TestParamInfo<Cycle>& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace thld::test
