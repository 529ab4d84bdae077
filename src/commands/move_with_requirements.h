#pragma once
// A map or script package made permanent together with the cached packages it requires.

#include <cstddef>
#include <string>

#include "commands/command_run.h"

namespace thld {

// Moves the package item run.items[item] from `source` to `destination`, after the cached packages
// it requires, each to the destination of its own kind and after its own requirements (depth
// first, in the order of the requirement lists). A required package is found by its name: its
// line in cache.ini, then the first package item with that text; one without either, or of a kind
// without a destination, stays. A package already being moved further up the same chain is not
// entered again, so that packages requiring each other end. Each move looks up its own line afresh.
void MoveWithRequirements(CommandRun& run, std::size_t item, const std::string& source,
                          const std::string& destination);

}  // namespace thld
