// tallyhold return and tidy: the fixes of what check finds. return puts installed copies of another
// version back into the cache under their own GUID; tidy removes stale lines and, only when asked,
// deletes cached files without a line. Both ask as delete does.
#include <algorithm>

#include "cache/cached_file.h"
#include "cli/change_run.h"
#include "cli/commands.h"
#include "cli/game_cache.h"
#include "cli/package_names.h"
#include "cli/terminal_text.h"
#include "commands/return_plan.h"
#include "game/cache_checks.h"
#include "platform/code_page.h"

namespace thld::cli {

namespace {

// The steps as the dry run and the questions show them: what acts numbered, what stays marked "-".
std::string StepLines(const CommandPlan& plan, Console& console)
{
    std::string lines;
    std::size_t number = 0;
    for (const PlannedStep& step : plan.steps) {
        const std::string mark = step.Acts() ? std::to_string(++number) : "-";
        std::string line = PaddedLeft(mark, 4) + "  ";
        switch (step.what) {
        case PlannedStep::What::Return:
            line += PrintableText(step.source) + "\n      -> " + PrintableText(step.destination) + ", line " +
                    PrintableText(step.Line());
            break;
        case PlannedStep::What::RemoveLine:
            line += "remove the line " + PrintableText(step.Line());
            break;
        case PlannedStep::What::DeleteOrphan:
            line += "delete " + PrintableText(step.source);
            break;
        case PlannedStep::What::NotPlainName:
            line += PrintableText(step.name) +
                    console.OutStyled(Style::Bad, "  stays: its entry in cache.ini is not a plain file name");
            break;
        case PlannedStep::What::Link:
            line += PrintableText(step.source) + console.OutStyled(Style::Bad, "  stays: it is a link");
            break;
        case PlannedStep::What::CachedAlready:
            line += PrintableText(step.source) +
                    console.OutStyled(Style::Bad, "  stays: the cache holds its GUID " + step.key + " already");
            break;
        case PlannedStep::What::NoGuid:
            line += PrintableText(step.source) + console.OutStyled(Style::Bad, "  stays: it is no package with a GUID");
            break;
        case PlannedStep::What::CachedUnreadable:
            line +=
                PrintableText(step.name) +
                console.OutStyled(Style::Bad, "  stays: the cached copy can't be read, so its version can't be told");
            break;
        default:
            line += PrintableText(step.name) +
                    console.OutStyled(Style::Bad, "  stays: the game's folders hold no copy of it");
            break;
        }
        lines += line + "\n";
    }
    return lines;
}

// The problems tidy takes: stale lines with --stale (and when nothing else is asked for), every
// orphan with --orphans, and the orphans named (by key, or file name, in any case).
std::vector<bool> ChosenForTidy(const Options& options, const std::vector<CacheProblem>& problems)
{
    const bool stale = options.stale || (!options.orphans && options.names.empty());
    std::vector<bool> chosen(problems.size(), false);
    std::vector<bool> named(options.names.size(), false);
    for (std::size_t i = 0; i < problems.size(); ++i) {
        const CacheProblem& problem = problems[i];
        if (problem.kind == CacheProblem::Kind::Stale)
            chosen[i] = stale;
        if (problem.kind != CacheProblem::Kind::Orphan)
            continue;
        chosen[i] = options.orphans;
        for (std::size_t n = 0; n < options.names.size(); ++n) {
            const std::string& name = options.names[n];
            if (EqualIgnoringAsciiCase(name, problem.key) ||
                EqualIgnoringAsciiCase(name, problem.key + kCachedFileExtension)) {
                chosen[i] = true;
                named[n] = true;
            }
        }
    }
    std::string unknown;
    for (std::size_t n = 0; n < named.size(); ++n)
        if (!named[n])
            unknown += (unknown.empty() ? "" : ", ") + PrintableText(options.names[n]);
    if (!unknown.empty())
        throw Failure("no cached file without a line is named " + unknown + "; nothing was changed");
    return chosen;
}

// Runs the plan after showing it (unless --yes), or only shows it with --dry-run.
int RunFix(const Options& options, Console& console, const Installation& installation, const CommandPlan& plan,
           const Listing& listing, const char* title)
{
    const std::string lines = StepLines(plan, console);
    if (options.dryRun) {
        console.Out(std::string(title) + " would take these steps:\n" + lines + "Nothing was changed (--dry-run).\n");
        return kExitDone;
    }
    if (!options.yes)
        console.Out(std::string(title) + " takes these steps:\n" + lines);
    TerminalPrompt prompt(console, AnswersOf(options));
    RunWatch watch(console, options);
    const RunReport report =
        RunPlan(installation.folders, plan, prompt, listing.indexStamp, ProcessScanner(), watch.Progress());
    watch.Ended(report);
    std::size_t returned = 0, removed = 0, deleted = 0;
    std::string out;
    for (std::size_t i = 0; i < plan.steps.size(); ++i) {
        if (!IsDone(report, i))
            continue;
        const PlannedStep& step = plan.steps[i];
        if (step.what == PlannedStep::What::Return) {
            out += "Returned " + PrintableText(step.source) + " to " + PrintableText(step.destination) + "\n";
            ++returned;
        } else if (step.what == PlannedStep::What::RemoveLine) {
            out += "Removed the line " + PrintableText(step.Line()) + "\n";
            ++removed;
        } else {
            out += "Deleted " + PrintableText(step.source) + "\n";
            ++deleted;
        }
    }
    std::vector<std::string> done;
    if (returned > 0)
        done.push_back("returned " + Count(returned, "package", "packages") + " to the cache");
    if (removed > 0)
        done.push_back("removed " + Count(removed, "stale line", "stale lines"));
    if (deleted > 0)
        done.push_back("deleted " + Count(deleted, "file without a line", "files without a line"));
    std::string summary = done.empty() ? "nothing was changed" : done.front();
    if (done.size() > 1)
        summary += " and " + done.back();
    summary[0] = static_cast<char>(summary[0] - 'a' + 'A');
    out += summary + ".\n";
    console.Out(out);
    return Ending(prompt, report);
}

}  // namespace

int ReturnCommand(const Options& options, Console& console)
{
    const Installation installation = FindGame(options.folders, true, console);
    const Listing listing = ReadCache(installation, console, InstalledCopies::Skip).listing;
    const std::vector<PackageItem>& items = listing.items;
    const CommandPlan plan = PlanReturn(installation.folders, items, TicksOf(items, ItemsNamed(items, options.names)));
    return RunFix(options, console, installation, plan, listing, "Return");
}

int TidyCommand(const Options& options, Console& console)
{
    const Installation installation = FindGame(options.folders, false, console);
    const Listing listing = ReadCache(installation, console, InstalledCopies::Skip).listing;
    const std::vector<CacheProblem> problems = CheckCache(installation.folders, listing.items);
    const CommandPlan plan = PlanTidy(problems, ChosenForTidy(options, problems));
    if (plan.steps.empty()) {
        console.Out("Nothing to tidy.\n");
        return kExitDone;
    }
    return RunFix(options, console, installation, plan, listing, "Tidy");
}

}  // namespace thld::cli
