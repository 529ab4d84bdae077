#pragma once
// What Delete does with the ticked packages of a listing, worked out without changing anything: one
// step for each ticked package item, in tree order. The run (run_plan.h) carries them out.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cache/package_item.h"
#include "commands/planned_step.h"
#include "game/game_folder.h"

namespace thld {

// One step per ticked item (`ticked[i]` for items[i]; missing ticks count as unticked), each its own
// question: Delete, or passed over when its key can't name a file (NotPlainName), when its cached
// file is a link that can't go without the file it leads to (Link), or when an earlier ticked item
// has the same line (DeletedAlready). Looks at the disk only for links.
CommandPlan PlanDelete(const GameFolders& folders, const std::vector<PackageItem>& items,
                       const std::vector<bool>& ticked);

// What Delete selects: the items `chosen` (indices into `items`, in any order; every item when
// nothing was chosen), and of them, with `olderThanDays`, those whose cached file was last written
// more than that many days before `now` (seconds since 1970-01-01 UTC; a file of no known time is
// never older). In the order of the listing.
std::vector<std::size_t> SelectForDelete(const std::vector<PackageItem>& items,
                                         const std::optional<std::vector<std::size_t>>& chosen,
                                         std::optional<unsigned> olderThanDays, std::int64_t now);

// What the user is told when the selection is empty.
std::string NothingToDelete(std::optional<unsigned> olderThanDays);

}  // namespace thld
