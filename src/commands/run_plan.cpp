#include "commands/run_plan.h"

#include "commands/cache_change.h"
#include "commands/command_table.h"
#include "commands/delete_batch.h"
#include "commands/entry_lookup.h"
#include "commands/messages.h"
#include "commands/step_actions.h"
#include "game/game_step_places.h"

namespace thld {

namespace {

// The end of the steps of the question whose steps begin at `begin`.
std::size_t GroupEnd(const std::vector<PlannedStep>& steps, std::size_t begin)
{
    std::size_t end = begin + 1;
    while (end < steps.size() && steps[end].question == steps[begin].question)
        ++end;
    return end;
}

// The step of the question's own package: the one of depth 0 (a map's comes after what it requires).
const PlannedStep& TickedStep(const std::vector<PlannedStep>& steps, std::size_t begin, std::size_t end)
{
    for (std::size_t i = begin; i < end; ++i)
        if (steps[i].depth == 0)
            return steps[i];
    return steps[begin];
}

// A question whose only step went with an earlier one is not asked, nor one whose only step passes
// its package over where the command asks none such.
bool AsksNothing(const CommandPlan& plan, std::size_t begin, std::size_t end)
{
    const PlannedStep::What what = plan.steps[begin].what;
    if (end == begin + 1 && !PolicyOf(plan.command).asksWithNothing)
        return !plan.steps[begin].Acts();
    return end == begin + 1 && (what == PlannedStep::What::MovedAlready || what == PlannedStep::What::DeletedAlready);
}

bool Ask(const CommandPlan& plan, const PlannedStep& ticked, StepContext& context)
{
    UserPrompt& prompt = context.prompt;
    if (plan.command == CommandPlan::Command::Return)
        return prompt.Confirm(messages::kConfirmReturnTitle, messages::ConfirmReturn(ticked.source));
    if (ticked.what == PlannedStep::What::RemoveLine)
        return prompt.Confirm(messages::kConfirmRemoveLineTitle, messages::ConfirmRemoveLine(ticked.Line()));
    if (ticked.what == PlannedStep::What::DeleteOrphan)
        return prompt.Confirm(messages::kConfirmDeleteTitle, messages::ConfirmDelete(ticked.source));
    const EntryLookup found = context.lookups.Find(ticked.name, ticked.key);
    const std::string shown = found.IsFound() ? found.line.ShownName() : std::string();
    if (plan.command == CommandPlan::Command::Delete)
        return prompt.Confirm(messages::kConfirmDeleteTitle, messages::ConfirmDelete(shown));
    return prompt.Confirm(messages::kConfirmMoveTitle, messages::ConfirmMove(shown));
}

}  // namespace

const FileError* RunReport::Failure() const
{
    for (const StepOutcome& outcome : outcomes)
        if (outcome.error)
            return &*outcome.error;
    return nullptr;
}

void RunReport::RaiseFailure() const
{
    if (const FileError* failure = Failure())
        throw *failure;
}

namespace {

// The count of the plan's questions.
std::size_t GroupCount(const std::vector<PlannedStep>& steps)
{
    std::size_t count = 0;
    for (std::size_t begin = 0; begin < steps.size(); begin = GroupEnd(steps, begin))
        ++count;
    return count;
}

// The steps in order, with their questions; see RunPlan.
RunReport RunSteps(const GameFolders& folders, const CommandPlan& plan, UserPrompt& prompt, const RunProgress& progress)
{
    const std::vector<PlannedStep>& steps = plan.steps;
    RunReport report;
    report.outcomes.resize(steps.size());
    StepContext context{folders, plan.command, prompt, StepPlacesOf(folders),
                        EntryLookups(folders.cacheFolder, prompt.AsksTheUser())};
    // Deletes that no question stops between go a batch at a time.
    const CommandPolicy& policy = PolicyOf(plan.command);
    const bool batching = policy.batchesUnasked && !prompt.AsksTheUser();
    DeleteBatch batch(context, report);
    const std::size_t groups = GroupCount(steps);
    std::size_t at = 0;  // the step under way, for a file error
    try {
        std::size_t group = 0;
        for (std::size_t begin = 0, end = 0; begin < steps.size(); begin = end, ++group) {
            end = GroupEnd(steps, begin);
            at = begin;
            if (progress && progress(group, groups, steps[begin].name) == RunStep::Stop) {
                report.stopped = batch.CarryOutWaiting();
                return report;
            }
            if (AsksNothing(plan, begin, end)) {
                if (!batch.CarryOutWaiting())
                    return report;
                report.outcomes[begin] = CarryOut(context, steps[begin]);
                context.lookups.Forget();
                continue;
            }
            if (policy.asks && !Ask(plan, TickedStep(steps, begin, end), context)) {
                for (std::size_t i = begin; i < end; ++i)
                    report.outcomes[i] = PassedOver(StepOutcome::Why::Refused);
                if (policy.noEndsRun)
                    break;
                continue;
            }
            report.agreed = true;
            if (batching && end == begin + 1 && steps[begin].what == PlannedStep::What::Delete) {
                if (!batch.Add(begin, steps[begin]))
                    return report;
                continue;
            }
            if (!batch.CarryOutWaiting())
                return report;
            for (at = begin; at < end; ++at) {
                report.outcomes[at] = CarryOut(context, steps[at]);
                context.lookups.Forget();  // the step may have changed cache.ini
                if (report.outcomes[at].result == StepOutcome::Result::Failed)
                    return report;
            }
        }
        if (!batch.CarryOutWaiting())
            return report;
        if (progress)
            progress(groups, groups, std::string());
    } catch (const FileError& error) {
        report.outcomes[at] = {StepOutcome::Result::Failed, StepOutcome::Why::None, error};
    }
    return report;
}

}  // namespace

RunReport RunPlan(const GameFolders& folders, const CommandPlan& plan, UserPrompt& prompt,
                  const std::optional<PathStamp>& listedIndex, const ProcessScanner& scanner,
                  const RunProgress& progress)
{
    RunReport report;
    report.outcomes.resize(plan.steps.size());
    if (plan.steps.empty())
        return report;
    const CommandPolicy& policy = PolicyOf(plan.command);
    if (const char* running = policy.guardsGame ? RunningGameMessage(scanner) : nullptr) {
        prompt.Tell(running);
        report.gameRunning = true;
        return report;
    }
    try {
        if (!policy.takesLock)
            return RunSteps(folders, plan, prompt, progress);
        const ChangeStart start = ChangeCache(folders, listedIndex, prompt, report,
                                              [&] { return RunSteps(folders, plan, prompt, progress); });
        report.cacheChanged = start == ChangeStart::Changed;
    } catch (const FileError& error) {
        // The lock file, or what an ended program left, could not be dealt with: nothing was asked.
        report.outcomes.front() = {StepOutcome::Result::Failed, StepOutcome::Why::None, error};
    }
    return report;
}

}  // namespace thld
