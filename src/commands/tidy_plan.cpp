#include "commands/tidy_plan.h"

#include "cache/cached_file.h"
#include "platform/code_page.h"
#include "platform/path_parts.h"
#include "platform/printable_text.h"

namespace thld {

TidyChoice ChooseForTidy(const std::vector<CacheProblem>& problems, const TidySelection& selection)
{
    const bool stale = selection.stale || (!selection.orphans && selection.names.empty());
    TidyChoice choice{std::vector<bool>(problems.size(), false), {}};
    std::vector<bool> named(selection.names.size(), false);
    for (std::size_t i = 0; i < problems.size(); ++i) {
        const CacheProblem& problem = problems[i];
        if (problem.kind == CacheProblem::Kind::Stale)
            choice.chosen[i] = stale;
        if (problem.kind != CacheProblem::Kind::Orphan)
            continue;
        choice.chosen[i] = selection.orphans;
        for (std::size_t n = 0; n < selection.names.size(); ++n) {
            const std::string& name = selection.names[n];
            if (EqualIgnoringAsciiCase(name, problem.key) ||
                EqualIgnoringAsciiCase(name, problem.key + kCachedFileExtension)) {
                choice.chosen[i] = true;
                named[n] = true;
            }
        }
    }
    for (std::size_t n = 0; n < named.size(); ++n)
        if (!named[n])
            choice.unknown.push_back(selection.names[n]);
    return choice;
}

std::string NoSuchOrphan(const std::vector<std::string>& unknown)
{
    std::string names;
    for (const std::string& name : unknown)
        names += (names.empty() ? "" : ", ") + PrintableText(name);
    return "no cached file without a line is named " + names + "; nothing was changed";
}

CommandPlan PlanTidy(const std::vector<CacheProblem>& problems, const std::vector<bool>& chosen)
{
    CommandPlan plan{CommandPlan::Command::Tidy, {}};
    for (std::size_t i = 0; i < problems.size() && i < chosen.size(); ++i) {
        const CacheProblem& problem = problems[i];
        if (!chosen[i] || (problem.kind != CacheProblem::Kind::Stale && problem.kind != CacheProblem::Kind::Orphan))
            continue;
        PlannedStep step;
        step.what =
            problem.kind == CacheProblem::Kind::Stale ? PlannedStep::What::RemoveLine : PlannedStep::What::DeleteOrphan;
        step.name = problem.kind == CacheProblem::Kind::Stale ? problem.name : std::string(FileNameOf(problem.path));
        step.key = problem.key;
        step.source = problem.path;
        step.question = plan.steps.size();
        plan.steps.push_back(std::move(step));
    }
    return plan;
}

}  // namespace thld
