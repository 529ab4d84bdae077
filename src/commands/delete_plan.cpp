#include "commands/delete_plan.h"

#include <set>

#include "cache/cached_file.h"
#include "commands/entry_names.h"
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
        step.ticked = i;
        if (!lines.insert(step.Line()).second)
            step.what = PlannedStep::What::DeletedAlready;
        else if (!IsPlainFileName(step.key))
            step.what = PlannedStep::What::NotPlainName;
        else
            step.source = CachedFilePath(folders.cacheFolder, step.key);
        if (step.what == PlannedStep::What::Delete && LinkAt(step.source) == LinkKind::Followed)
            step.what = PlannedStep::What::Link;
        plan.steps.push_back(std::move(step));
    }
    return plan;
}

}  // namespace thld
