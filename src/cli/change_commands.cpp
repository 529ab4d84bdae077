// tallyhold delete and keep: the window's Delete and Permanent on the packages named, with the same
// questions, asked on the terminal.
#include <chrono>

#include "cache/cached_file.h"
#include "cli/change_run.h"
#include "cli/commands.h"
#include "cli/game_cache.h"
#include "cli/offline_text.h"
#include "cli/package_names.h"
#include "cli/plan_text.h"
#include "cli/terminal_prompt.h"
#include "cli/terminal_text.h"
#include "commands/delete_plan.h"
#include "commands/permanent_plan.h"
#include "commands/run_plan.h"

namespace thld::cli {

int DeleteCommand(const Options& options, Console& console)
{
    const Installation installation = FindGame(options.folders, false, console);
    const Listing listing = ReadCache(installation, console, InstalledCopies::Skip, Requirements::Skip).listing;
    const std::vector<PackageItem>& items = listing.items;
    const std::int64_t now =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
    const std::optional<std::vector<std::size_t>> chosen =
        options.names.empty() ? std::nullopt : std::optional(ItemsNamed(items, options.names));
    const std::vector<std::size_t> selected = SelectForDelete(items, chosen, options.olderThanDays, now);
    if (selected.empty()) {
        console.Out(NothingToDelete(options.olderThanDays) + "\n");
        return kExitDone;
    }
    const CommandPlan plan = PlanDelete(installation.folders, items, TicksOf(items, selected));
    if (options.dryRun) {
        std::uint64_t bytes = 0;
        std::size_t deleting = 0;
        std::string out;
        for (const PlannedStep& step : plan.steps) {
            const PackageItem& item = items[*step.item];
            out += "  " + PrintableText(item.name) + "  " + item.sizeText + "  " + PrintableText(item.key) +
                   kCachedFileExtension;
            if (step.what == PlannedStep::What::Delete) {
                bytes += item.size;
                ++deleting;
            } else if (step.what == PlannedStep::What::NotPlainName) {
                out += console.OutStyled(Style::Bad, "  stays: its key is not a plain file name");
            } else if (step.what == PlannedStep::What::Link) {
                out += console.OutStyled(Style::Bad, "  stays: its cached file is a link that can't be deleted here");
            } else {
                out += console.OutStyled(Style::Dim, "  deleted above");
            }
            out += '\n';
        }
        console.Out("Delete would remove " + Count(deleting, "package", "packages") + ":\n" + out + "together " +
                    HumanSize(bytes) + "; nothing was changed (--dry-run).\n");
        return kExitDone;
    }
    TerminalPrompt prompt(console, AnswersOf(options));
    RunWatch watch(console, options);
    const RunReport report =
        RunPlan(installation.folders, plan, prompt, listing.indexStamp, ProcessScanner(), watch.Progress());
    watch.Ended(report);

    std::size_t deleted = 0;
    std::uint64_t freed = 0;
    std::string out;
    for (std::size_t i = 0; i < plan.steps.size(); ++i) {
        if (!IsDone(report, i))
            continue;
        const PackageItem& item = items[*plan.steps[i].item];
        out += "Deleted " + PrintableText(item.name) + "\n";
        ++deleted;
        freed += item.size;
    }
    out += deleted == 0 ? "Nothing was deleted.\n"
                        : "Deleted " + Count(deleted, "package", "packages") + ", " + HumanSize(freed) + " freed.\n";
    console.Out(out);
    return Ending(prompt, report);
}

int KeepCommand(const Options& options, Console& console)
{
    const Installation installation = FindGame(options.folders, true, console);
    const Listing listing = ReadCache(installation, console, InstalledCopies::Skip).listing;
    const std::vector<PackageItem>& items = listing.items;
    const std::vector<std::size_t> named = ItemsNamed(items, options.names, Versions::One);
    const CommandPlan plan = PlanPermanent(installation.folders, items, TicksOf(items, named));
    const std::string lines = PlanLines(plan.steps, items, PlanDetail::Destinations, console);
    if (options.dryRun) {
        const OfflineCheck check(installation.folders, items);
        std::string offline;
        for (std::size_t item : named)
            offline += OfflineLine(check, items, item, console);
        console.Out("Permanent would take these steps:\n" + lines + offline + "Nothing was changed (--dry-run).\n");
        return kExitDone;
    }
    if (!options.yes)
        console.Out("Permanent takes these steps:\n" + lines);
    TerminalPrompt prompt(console, AnswersOf(options));
    RunWatch watch(console, options);
    const RunReport report =
        RunPlan(installation.folders, plan, prompt, listing.indexStamp, ProcessScanner(), watch.Progress());
    watch.Ended(report);

    std::size_t moved = 0;
    std::string out;
    for (std::size_t i = 0; i < plan.steps.size(); ++i) {
        if (!IsDone(report, i))
            continue;
        const PlannedStep& step = plan.steps[i];
        out += "Moved " + PrintableText(step.name) + " to " + PrintableText(step.destination) + "\n";
        ++moved;
    }
    out +=
        moved == 0 ? "Nothing was made permanent.\n" : "Made " + Count(moved, "package", "packages") + " permanent.\n";
    console.Out(out);
    return Ending(prompt, report);
}

}  // namespace thld::cli
