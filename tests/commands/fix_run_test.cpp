// Return and Tidy check the disk right before each step: what changed since the plan is left as it
// is, and the user is told where the cache holds a GUID already.
#include <filesystem>
#include <functional>

#include "commands/command_fixture.h"
#include "commands/return_plan.h"
#include "commands/tidy_plan.h"
#include "support/made_package.h"

namespace thld::test {
namespace {

namespace fs = std::filesystem;

const MadeGuid kGuid{0x33333333, 2, 3, 4};
const std::string kOrphan(32, 'E');

class FixRun;

struct Meanwhile {
    const char* what;
    bool tidy;                            // Tidy of a stale line and an orphan; else Return
    std::function<void(FixRun&)> change;  // between the plan and the run
    std::vector<StepOutcome::Why> whys;   // of each step
    const char* told;                     // what the user is told, or nothing
};
void PrintTo(const Meanwhile& m, std::ostream* out) { *out << m.what; }

class FixRun : public CommandTest, public ::testing::WithParamInterface<Meanwhile> {
public:
    using CommandTest::WriteIndex;
};

TEST_P(FixRun, LeavesWhatChangedSinceThePlan)
{
    temp.MakeFolder("game/System");
    items = Lay({{"KA", "Alpha.u", std::string(kind::Script)}, {"KS", "Gone.utx", std::string(kind::Textures)}});
    fs::remove(CachedPath("KS"));
    WriteFileBytes(CachedPath(kOrphan), "orphan");
    WriteFileBytes(Path("System/Alpha.u"), PackageImporting(kind::Script, kGuid, {}));
    std::vector<CacheProblem> problems(2);
    problems[0].kind = CacheProblem::Kind::Stale;
    problems[0].name = "Gone.utx";
    problems[0].key = "KS";
    problems[0].path = CachedPath("KS");
    problems[1].kind = CacheProblem::Kind::Orphan;
    problems[1].key = kOrphan;
    problems[1].path = CachedPath(kOrphan);
    const CommandPlan plan = GetParam().tidy ? PlanTidy(problems, {true, true}) : PlanReturn(folders, items, {true});
    GetParam().change(*this);
    const auto before = Files();
    ScriptedPrompt prompt(std::deque<bool>(4, true));
    const RunReport report = RunPlan(folders, plan, prompt);
    ASSERT_EQ(report.outcomes.size(), GetParam().whys.size());
    for (std::size_t i = 0; i < report.outcomes.size(); ++i) {
        EXPECT_EQ(report.outcomes[i].result, StepOutcome::Result::PassedOver) << i;
        EXPECT_EQ(report.outcomes[i].why, GetParam().whys[i]) << i;
    }
    EXPECT_EQ(Files(), before);
    std::string told;
    for (const std::string& message : prompt.told)
        told += message;
    EXPECT_PRED2(Holds, told, GetParam().told);
}

using Why = StepOutcome::Why;
INSTANTIATE_TEST_SUITE_P(
    , FixRun,
    ::testing::Values(
        Meanwhile{"ReturnOfAGuidCachedMeanwhile",
                  false,
                  [](FixRun& t) { WriteFileBytes(t.CachedPath(GuidKey(kGuid)), "cached"); },
                  {Why::CachedAlready},
                  "the cache holds its GUID 33333333000000020000000300000004 already"},
        Meanwhile{"ReturnOfAGuidGivenALineMeanwhile",
                  false,
                  [](FixRun& t) {
                      t.WriteIndex({"KA=Alpha.u", GuidKey(kGuid) + "=Alpha.u"});
                  },
                  {Why::CachedAlready},
                  "already"},
        Meanwhile{"ReturnOfAnotherVersionByNow",
                  false,
                  [](FixRun& t) {
                      WriteFileBytes(t.Path("System/Alpha.u"), PackageImporting(kind::Script, {9, 9, 9, 9}, {}));
                  },
                  {Why::Changed},
                  ""},
        Meanwhile{"TidyOfAFileBackAndAnOrphanGivenALine",
                  true,
                  [](FixRun& t) {
                      WriteFileBytes(t.CachedPath("KS"), "back");
                      t.WriteIndex({"KA=Alpha.u", "KS=Gone.utx", kOrphan + "=Orphan.u"});
                  },
                  {Why::Changed, Why::Changed},
                  ""}),
    [](const auto& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace thld::test
