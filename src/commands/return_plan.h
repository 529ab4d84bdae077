#pragma once
// What Return does, worked out without changing anything: it puts an installed copy of a cached
// package (one of another version, which the game takes first) back into the cache under its own
// GUID, so that servers with either version work. The run (run_plan.h) carries the steps out.

#include <vector>

#include "cache/package_item.h"
#include "commands/planned_step.h"
#include "game/game_folder.h"

namespace thld {

// One step per ticked item (`ticked[i]` for items[i]), each its own question: Return of the game's
// file at the item's destination (InstalledPackages), as <its GUID>.uxx with the line
// <GUID>=<its file name>; or passed over when the item's key is no plain file name (NotPlainName),
// when the cached copy's tables can't be read (CachedUnreadable), when the game's folders hold none
// (NotInstalled), when that file is no package with a GUID (NoGuid), when the cache holds that GUID
// already as a file or a line's key (CachedAlready: an identical copy, or a version cached twice),
// or when the file is a link (Link). FileError when the game's folders can't be read.
CommandPlan PlanReturn(const GameFolders& folders, const std::vector<PackageItem>& items,
                       const std::vector<bool>& ticked);

}  // namespace thld
