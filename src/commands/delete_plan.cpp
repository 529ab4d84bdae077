#include "commands/delete_plan.h"

#include <algorithm>
#include <set>

#include "cache/cached_file.h"
#include "platform/file_link.h"

namespace thld {

CommandPlan PlanDelete(const GameFolders& folders, const std::vector<PackageItem>& items,
                       const std::vector<bool>& ticked)
{
    CommandPlan plan{CommandPlan::Command::Delete, {}};
    std::set<std::string> lines;
    for (std::size_t i = 0; i < items.size() && i < ticked.size(); ++i) {
        if (!ticked[i])
            continue;
        PlannedStep step;
        step.what = PlannedStep::What::Delete;
        step.name = items[i].name;
        step.key = items[i].key;
        step.item = i;
        step.question = plan.steps.size();
        if (!lines.insert(step.Line()).second)
            step.what = PlannedStep::What::DeletedAlready;
        else if (!IsPlainFileName(step.key))
            step.what = PlannedStep::What::NotPlainName;
        else
            step.source = CachedFilePath(folders.cacheFolder, step.key);
        if (kLinksCanBeFollowed && step.what == PlannedStep::What::Delete && LinkAt(step.source) == LinkKind::Followed)
            step.what = PlannedStep::What::Link;
        plan.steps.push_back(std::move(step));
    }
    return plan;
}

std::vector<std::size_t> SelectForDelete(const std::vector<PackageItem>& items,
                                         const std::optional<std::vector<std::size_t>>& chosen,
                                         std::optional<unsigned> olderThanDays, std::int64_t now)
{
    std::vector<std::size_t> selected;
    if (chosen) {
        selected = *chosen;
        std::sort(selected.begin(), selected.end());
    } else {
        for (std::size_t i = 0; i < items.size(); ++i)
            selected.push_back(i);
    }
    if (olderThanDays) {
        const std::int64_t cutoff = now - std::int64_t{86400} * *olderThanDays;
        std::erase_if(selected, [&](std::size_t i) { return items[i].modified <= 0 || items[i].modified >= cutoff; });
    }
    return selected;
}

std::string NothingToDelete(std::optional<unsigned> olderThanDays)
{
    if (!olderThanDays)
        return "Nothing to delete.";
    return "No package is older than " + std::to_string(*olderThanDays) + (*olderThanDays == 1 ? " day" : " days") +
           ": nothing to delete.";
}

}  // namespace thld
