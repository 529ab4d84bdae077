#pragma once
// What Permanent does with the ticked packages of a listing, worked out without changing anything:
// every package it moves, in the order it moves them, and every package it passes over on the way,
// with the reason. A front-end shows it before asking, or instead of running the command; the run
// (run_plan.h) carries out exactly these steps.

#include <vector>

#include "cache/package_item.h"
#include "commands/planned_step.h"
#include "game/game_folder.h"

namespace thld {

// The steps of Permanent on the ticked items (`ticked[i]` for items[i]; missing ticks count as
// unticked), every question answered Yes, in the order the command takes them: a map or script
// package after what it requires (depth first, in the order of its requirements), a texture
// package alone; a package passed over stands where the command passes it over. Takes the
// requirements of the listing (DetermineRelationships) and looks at the disk only for the game's
// folders (where each package goes, a file there already in another case of letters, and whether
// one is there) and for links. Each ticked item is one question (PlannedStep::question), which the
// steps of what it takes along share.
CommandPlan PlanPermanent(const GameFolders& folders, const std::vector<PackageItem>& items,
                          const std::vector<bool>& ticked);

}  // namespace thld
