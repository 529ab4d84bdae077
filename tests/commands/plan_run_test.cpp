// With every question answered Yes, the run carries out exactly the steps its plan wrote down: the
// moves and deletions in that order, and nothing it passes over.
#include <random>

#include "cache/cache_listing.h"
#include "cache/requirements.h"
#include "commands/command_fixture.h"
#include "commands/delete_plan.h"
#include "commands/permanent_plan.h"
#include "package/package_kind.h"
#include "platform/folder.h"
#include "support/corpus.h"
#include "support/kinds.h"

namespace thld::test {
namespace {

class YesToAll : public UserPrompt {
public:
    bool Confirm(const std::string&, const std::string&) override { return true; }
    void Tell(const std::string&) override {}
};

struct Cache {
    const char* what;
    std::vector<Cached> packages;            // none: the real packages of the corpus
    std::vector<std::string> occupied = {};  // destinations taken before the run
};

void PrintTo(const Cache& cache, std::ostream* out) { *out << cache.what; }

// `count` packages of every kind, each map and script package requiring a few others at random
// (cycles, shared and missing requirements among them); the same for the same seed.
Cache Tangle(const char* what, unsigned seed, int count)
{
    std::mt19937 random(seed);
    const std::string kinds[] = {kMap, kScript, kTex, "music", ""};
    const char* extensions[] = {".unr", ".u", ".utx", ".umx", ".utx"};
    Cache cache{what, {}};
    for (int i = 0; i < count; ++i) {
        const auto k = random() % 5;
        std::string key = "K", value = "P";  // appended piece by piece: g++ 12 warns on "K" + std::string
        key += std::to_string(i);
        value += std::to_string(i);
        value += extensions[k];
        cache.packages.push_back({key, value, kinds[k]});
    }
    for (Cached& p : cache.packages) {
        if (p.kind != kMap && p.kind != kScript)
            continue;
        for (auto n = random() % 5; n > 0; --n)
            p.requirements.push_back(cache.packages[random() % cache.packages.size()].value);
        if (random() % 4 == 0)
            p.requirements.push_back("Absent.utx");
    }
    return cache;
}

class PlanAndRun : public CommandTest, public ::testing::WithParamInterface<Cache> {
protected:
    void LayOut()
    {
        if (GetParam().packages.empty()) {
            LayOutGameFolder(folders.gameFolder);
            items = ListCacheIndex(folders.cacheFolder).items;
            DetermineRelationships(folders.cacheFolder, items);
        } else {
            Lay(GetParam().packages);
        }
        for (const std::string& taken : GetParam().occupied)
            temp.Write("game/" + taken, "the player's own");
    }

    // The cached files the run moved away (to their destinations, or aside to be deleted), in order.
    // The cached files that left the cache: moved (Permanent), or deleted where they were (Delete).
    std::vector<std::string> MovedFromCache(const MoveWatch& watch) const
    {
        std::vector<std::string> moved;
        for (const auto* paths : {&watch.moves, &watch.removals})
            for (const std::string& from : *paths)
                if (from.starts_with(folders.cacheFolder) && from.ends_with(".uxx"))
                    moved.push_back(from);
        return moved;
    }

    // Every step acting is done, every other one passed over as planned, and the files moved are
    // those of the acting steps, in their order.
    void ExpectThePlanCarriedOut(const CommandPlan& plan)
    {
        MoveWatch watch;
        YesToAll yes;
        const RunReport report = RunPlan(folders, plan, yes);
        ASSERT_EQ(report.outcomes.size(), plan.steps.size());
        std::vector<std::string> planned;
        for (std::size_t i = 0; i < plan.steps.size(); ++i) {
            const PlannedStep& step = plan.steps[i];
            const StepOutcome& outcome = report.outcomes[i];
            SCOPED_TRACE(step.name);
            if (step.Acts()) {
                planned.push_back(step.source);
                EXPECT_EQ(outcome.result, StepOutcome::Result::Done);
                EXPECT_FALSE(PathExists(step.source));
                if (step.what == PlannedStep::What::Move) {
                    EXPECT_TRUE(PathExists(step.destination));
                }
            } else {
                EXPECT_EQ(outcome.result, StepOutcome::Result::PassedOver);
                EXPECT_EQ(outcome.why, StepOutcome::Why::AsPlanned);
            }
        }
        EXPECT_EQ(MovedFromCache(watch), planned);
        EXPECT_FALSE(planned.empty());
    }
};

TEST_P(PlanAndRun, PermanentMovesExactlyWhatItsPlanSays)
{
    if (GetParam().packages.empty())
        THLD_REQUIRE_CORPUS();
    LayOut();
    ExpectThePlanCarriedOut(PlanPermanent(folders, items, std::vector<bool>(items.size(), true)));
}

TEST_P(PlanAndRun, DeleteDeletesExactlyWhatItsPlanSays)
{
    if (GetParam().packages.empty())
        THLD_REQUIRE_CORPUS();
    LayOut();
    items.push_back(items.front());  // the same line ticked twice
    ExpectThePlanCarriedOut(PlanDelete(folders, items, std::vector<bool>(items.size(), true)));
}

INSTANTIATE_TEST_SUITE_P(, PlanAndRun,
                         ::testing::Values(Cache{"Corpus", {}},
                                           Cache{"SharedAndCycles",
                                                 {{"KM", "Arena.unr", kMap, {"T.utx", "C.u", "Absent.utx", "Song.umx"}},
                                                  {"KT", "T.utx", kTex},
                                                  {"KC", "C.u", kScript, {"T.utx", "D.u"}},
                                                  {"KD", "D.u", kScript, {"C.u", "D.u"}},
                                                  {"KS", "Song.umx", "music"},
                                                  {"KN", "Next.unr", kMap, {"T.utx", "D.u"}},
                                                  {"..", "Odd.utx", kTex}},
                                                 {"Textures/T.utx", "Maps/Next.unr"}},
                                           Tangle("Tangle1", 1, 40), Tangle("Tangle2", 2, 80),
                                           Tangle("Tangle3", 3, 200)),
                         [](const ::testing::TestParamInfo<Cache>& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace thld::test
