#pragma once
// A map or script package made permanent together with the cached packages it requires.

#include <cstddef>

#include "commands/command_run.h"
#include "commands/move_cached_file.h"

namespace thld {

// Moves the package item run.items[item] as planned, after the cached packages it requires, each
// to the destination of its own kind and after its own requirements (depth first, in the order of
// the requirement lists). A required package is found by its name: its line in cache.ini, then the
// first package item with that text; one without either, or that PlanMove leaves, stays. A package
// already being moved further up the same chain is not entered again, so that packages requiring
// each other end. Each move looks up its own line afresh. Stops at the first move that stops, and
// gives Stopped then; otherwise Moved or Stayed for the package itself.
MoveOutcome MoveWithRequirements(CommandRun& run, std::size_t item, PlannedMove move);

}  // namespace thld
