// The core's one wording of a step passed over and of a run's report, as every front-end shows it.
#include <gtest/gtest.h>

#include "commands/step_words.h"

namespace thld::test {
namespace {

using What = PlannedStep::What;
using Command = CommandPlan::Command;

std::vector<PackageItem> Items()
{
    std::vector<PackageItem> items(2);
    items[0].name = "Arena.unr";
    items[0].size = 1024;
    items[1].name = "Rules.u";
    items[1].size = 2048;
    return items;
}

TEST(StepWords, AStepPassedOverSaysWhy)
{
    struct Case {
        Command command;
        What what;
        std::optional<std::size_t> requiredBy;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {Command::Permanent, What::NotCached, 0, "not in the cache (required by Arena.unr)"},
        {Command::Permanent, What::Cycle, 1,
         "cycle: required by Rules.u, which it requires in turn; moves once, further down"},
        {Command::Permanent, What::NotPlainName, std::nullopt,
         "stays in the cache: its entry in cache.ini is not a plain file name"},
        {Command::Delete, What::Link, std::nullopt,
         "stays in the cache: its cached file is a link that can't be deleted here without the file it leads to"},
        {Command::Return, What::NotInstalled, std::nullopt, "nothing to return: the game's folders hold no copy of it"},
        {Command::Delete, What::Delete, std::nullopt, ""},
    };
    for (const Case& c : cases) {
        PlannedStep step;
        step.what = c.what;
        step.requiredBy = c.requiredBy;
        EXPECT_EQ(PassedOverReason(c.command, step, Items()), c.reason);
    }
}

TEST(StepWords, ARunSaysWhatItDidInAll)
{
    struct Case {
        Command command;
        std::vector<What> steps;
        std::vector<StepOutcome::Result> results;
        std::string report;
    };
    using Result = StepOutcome::Result;
    const std::vector<Case> cases = {
        {Command::Delete,
         {What::Delete, What::Delete},
         {Result::Done, Result::Done},
         "Deleted 2 packages, 3.0 KiB freed."},
        {Command::Delete, {What::Delete}, {Result::PassedOver}, "Nothing was deleted."},
        {Command::Permanent, {What::Move}, {Result::NotReached}, "Nothing was made permanent."},
        {Command::Tidy,
         {What::RemoveLine, What::DeleteOrphan, What::DeleteOrphan},
         {Result::Done, Result::Done, Result::Done},
         "Removed 1 stale line and deleted 2 files without a line."},
        {Command::Return, {What::Return}, {Result::Failed}, "Nothing was changed."},
    };
    for (const Case& c : cases) {
        CommandPlan plan{c.command, {}};
        RunReport report;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            PlannedStep step;
            step.what = c.steps[i];
            step.item = i;
            plan.steps.push_back(step);
            report.outcomes.push_back({c.results[i], StepOutcome::Why::None, std::nullopt});
        }
        EXPECT_EQ(RunReportText(plan, report, Items()), c.report);
    }
}

}  // namespace
}  // namespace thld::test
