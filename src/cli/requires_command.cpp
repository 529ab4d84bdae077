// tallyhold requires NAME...: what each package takes along when it is made permanent.
#include <algorithm>

#include "cli/commands.h"
#include "cli/game_cache.h"
#include "cli/offline_text.h"
#include "cli/plan_text.h"
#include "cli/terminal_text.h"
#include "commands/permanent_plan.h"

namespace thld::cli {

int RequiresCommand(const Options& options, Console& console)
{
    const Installation installation = FindGame(options.folders, false, console);
    const Listing listing = ReadCache(installation, console, InstalledCopies::Skip).listing;
    const std::vector<PackageItem>& items = listing.items;
    const std::vector<std::size_t> named = NamedOrFail(items, options.names);
    const OfflineCheck offline(installation.folders, items);
    std::string out;
    for (std::size_t item : named) {
        std::vector<bool> ticks(items.size(), false);
        ticks[item] = true;
        const CommandPlan plan = PlanPermanent(installation.folders, items, ticks);
        const std::vector<PlannedStep>& steps = plan.steps;
        const auto required = std::count_if(steps.begin(), steps.end(), [](const PlannedStep& s) {
            return s.what == PlannedStep::What::Move && s.depth > 0;
        });
        const PackageItem& package = items[item];
        if (!out.empty())
            out += '\n';
        out += console.OutStyled(Style::Strong, PrintableText(package.name)) + " (" + std::string(package.kind) + ")";
        if (steps.size() == 1 && steps[0].what == PlannedStep::What::Move) {
            out += " requires no cached package.\n";
            out += OfflineLine(offline, items, item, console);
            continue;
        }
        if (steps.size() == 1)
            out += ":\n";
        else
            out += " requires " + std::to_string(required) + (required == 1 ? " cached package" : " cached packages") +
                   "; Permanent moves " + (required == 1 ? "it" : "them") + " first, in this order:\n";
        out += PlanLines(plan, items, PlanDetail::Requirements, console);
        out += OfflineLine(offline, items, item, console);
    }
    console.Out(out);
    return kExitDone;
}

}  // namespace thld::cli
