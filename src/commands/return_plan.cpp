#include "commands/return_plan.h"

#include "cache/cached_file.h"
#include "commands/cached_guids.h"
#include "game/installed_packages.h"
#include "platform/file_link.h"
#include "platform/path_parts.h"

namespace thld {

CommandPlan PlanReturn(const GameFolders& folders, const std::vector<PackageItem>& items,
                       const std::vector<bool>& ticked)
{
    CommandPlan plan{CommandPlan::Command::Return, {}};
    const InstalledPackages installed(folders.gameFolder);
    for (std::size_t i = 0; i < items.size() && i < ticked.size(); ++i) {
        if (!ticked[i])
            continue;
        PlannedStep step;
        step.name = items[i].name;
        step.item = i;
        step.question = plan.steps.size();
        if (!IsPlainFileName(items[i].key)) {
            step.what = PlannedStep::What::NotPlainName;
            plan.steps.push_back(std::move(step));
            continue;
        }
        if (items[i].summary.tables == PackageTables::Damaged ||
            items[i].summary.tables == PackageTables::NotAPackage) {
            // Whose version it is can't be told: nothing is moved for it.
            step.what = PlannedStep::What::CachedUnreadable;
            plan.steps.push_back(std::move(step));
            continue;
        }
        const auto found = installed.Check(items[i], CachedFilePath(folders.cacheFolder, items[i].key));
        const std::optional<std::string> guid =
            found.copy == InstalledCopy::None ? std::nullopt : GuidOfPackage(found.path);
        if (found.copy == InstalledCopy::None) {
            step.what = PlannedStep::What::NotInstalled;
        } else if (!guid) {
            step.what = PlannedStep::What::NoGuid;
            step.source = found.path;
        } else {
            step.name = FileNameOf(found.path);
            step.key = *guid;
            step.source = found.path;
            step.destination = CachedFilePath(folders.cacheFolder, *guid);
            if (HoldsGuid(folders.cacheFolder, *guid).value_or(false))
                step.what = PlannedStep::What::CachedAlready;
            else if (LinkAt(found.path) != LinkKind::None)
                step.what = PlannedStep::What::Link;
            else
                step.what = PlannedStep::What::Return;
        }
        plan.steps.push_back(std::move(step));
    }
    return plan;
}

}  // namespace thld
