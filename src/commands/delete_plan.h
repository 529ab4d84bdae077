#pragma once
// What Delete does with the ticked packages of a listing, worked out without changing anything: one
// step for each ticked package item, in tree order. The run (run_plan.h) carries them out.

#include <vector>

#include "cache/package_item.h"
#include "commands/planned_step.h"
#include "game/game_folder.h"

namespace thld {

// One step per ticked item (`ticked[i]` for items[i]; missing ticks count as unticked): Delete, or
// passed over when its key can't name a file (NotPlainName), when its cached file is a link that
// can't go without the file it leads to (Link), or when an earlier ticked item has the same line
// (DeletedAlready). Looks at the disk only for links.
CommandPlan PlanDelete(const GameFolders& folders, const std::vector<PackageItem>& items,
                       const std::vector<bool>& ticked);

}  // namespace thld
