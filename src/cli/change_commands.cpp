// tallyhold delete, keep, return and tidy: the window's Delete and Permanent on the packages named,
// and the fixes of what check finds (return puts installed copies of another version back into the
// cache under their own GUID; tidy removes stale lines and, only when asked, deletes cached files
// without a line). Each makes its plan from what the command line selects, shows it or runs it once,
// and prints the run's report, as its row of the command table says.
#include <chrono>

#include "cli/change_run.h"
#include "cli/commands.h"
#include "cli/game_cache.h"
#include "cli/offline_text.h"
#include "cli/plan_text.h"
#include "cli/terminal_prompt.h"
#include "commands/command_table.h"
#include "commands/delete_plan.h"
#include "commands/package_selection.h"
#include "commands/permanent_plan.h"
#include "commands/return_plan.h"
#include "commands/run_plan.h"
#include "commands/step_words.h"
#include "commands/tidy_plan.h"
#include "game/cache_checks.h"

namespace thld::cli {

namespace {

// Shows the plan (with `dryRunMore` after its steps) and does nothing with --dry-run; otherwise
// shows it first where the command does so, runs it, and prints the report.
int RunChange(const Options& options, Console& console, const Installation& installation, const Listing& listing,
              const CommandPlan& plan, const std::string& dryRunMore = {})
{
    const std::vector<PackageItem>& items = listing.items;
    if (options.dryRun) {
        console.Out(PlanHeading(plan, true) + "\n" + PlanLines(plan, items, PlanDetail::AsPlanned, console) +
                    dryRunMore + DryRunEnd(plan, items) + "\n");
        return kExitDone;
    }
    if (PolicyOf(plan.command).showsPlanFirst && !options.yes)
        console.Out(PlanHeading(plan, false) + "\n" + PlanLines(plan, items, PlanDetail::AsPlanned, console));
    TerminalPrompt prompt(console, AnswersOf(options));
    RunWatch watch(console, options);
    const RunReport report =
        RunPlan(installation.folders, plan, prompt, listing.indexStamp, ProcessScanner(), watch.Progress());
    watch.Ended(report);
    console.Out(ReportLines(plan, report, items));
    return Ending(prompt, report);
}

}  // namespace

int DeleteCommand(const Options& options, Console& console)
{
    const Installation installation = FindGame(options.folders, false, console);
    const Listing listing = ReadCache(installation, console, InstalledCopies::Skip, Requirements::Skip).listing;
    const std::vector<PackageItem>& items = listing.items;
    const std::int64_t now =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
    const std::optional<std::vector<std::size_t>> chosen =
        options.names.empty() ? std::nullopt : std::optional(NamedOrFail(items, options.names));
    const std::vector<std::size_t> selected = SelectForDelete(items, chosen, options.olderThanDays, now);
    if (selected.empty()) {
        console.Out(NothingToDelete(options.olderThanDays) + "\n");
        return kExitDone;
    }
    return RunChange(options, console, installation, listing,
                     PlanDelete(installation.folders, items, TicksOf(items, selected)));
}

int KeepCommand(const Options& options, Console& console)
{
    const Installation installation = FindGame(options.folders, true, console);
    const Listing listing = ReadCache(installation, console, InstalledCopies::Skip).listing;
    const std::vector<PackageItem>& items = listing.items;
    const std::vector<std::size_t> named = NamedOrFail(items, options.names, Versions::One);
    std::string offline;
    if (options.dryRun) {
        const OfflineCheck check(installation.folders, items);
        for (std::size_t item : named)
            offline += OfflineLine(check, items, item, console);
    }
    return RunChange(options, console, installation, listing,
                     PlanPermanent(installation.folders, items, TicksOf(items, named)), offline);
}

int ReturnCommand(const Options& options, Console& console)
{
    const Installation installation = FindGame(options.folders, true, console);
    const Listing listing = ReadCache(installation, console, InstalledCopies::Skip).listing;
    const std::vector<PackageItem>& items = listing.items;
    return RunChange(options, console, installation, listing,
                     PlanReturn(installation.folders, items, TicksOf(items, NamedOrFail(items, options.names))));
}

int TidyCommand(const Options& options, Console& console)
{
    const Installation installation = FindGame(options.folders, false, console);
    const Listing listing = ReadCache(installation, console, InstalledCopies::Skip).listing;
    const std::vector<CacheProblem> problems = CheckCache(installation.folders, listing.items);
    const TidyChoice choice = ChooseForTidy(problems, {options.stale, options.orphans, options.names});
    if (!choice.unknown.empty())
        throw Failure(NoSuchOrphan(choice.unknown));
    const CommandPlan plan = PlanTidy(problems, choice.chosen);
    if (plan.steps.empty()) {
        console.Out(std::string(kNothingToTidy) + "\n");
        return kExitDone;
    }
    return RunChange(options, console, installation, listing, plan);
}

}  // namespace thld::cli
