#pragma once
// The moves behind Permanent: one cached file to its destination, and a package together with the
// cached packages it requires.

#include <cstddef>
#include <string>

#include "commands/command_run.h"
#include "commands/user_prompt.h"

namespace thld {

// Moves the cached file `source` to `destination` and then removes line `lineNumber` from
// cache.ini. When a file is at the destination already, asks first ("Confirm Replace File"); on No
// nothing changes. A replaced file is moved aside within its folder and deleted only once the
// cached file has taken its place; should a step fail, what was moved goes back and the FileError
// goes on.
void MoveCachedFile(const std::string& cacheFolder, const std::string& source,
                    const std::string& destination, int lineNumber, UserPrompt& prompt);

// Moves the package item run.items[item] from `source` to `destination`, after the cached packages
// it requires, each to the destination of its own kind and after its own requirements (depth
// first, in the order of the requirement lists). A required package is found by its name: its
// line in cache.ini, then the first package item with that text; one without either, or of a kind
// without a destination, stays. A package already being moved further up the same chain is not
// entered again, so that packages requiring each other end. Each move looks up its own line afresh.
void MoveWithRequirements(CommandRun& run, std::size_t item, const std::string& source,
                          const std::string& destination);

}  // namespace thld
