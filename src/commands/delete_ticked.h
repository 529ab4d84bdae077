#pragma once
// Delete: each ticked package, once the user agrees, leaves cache.ini and then the cache folder.

#include <vector>

#include "cache/package_item.h"
#include "commands/user_prompt.h"
#include "game/game_folder.h"

namespace thld {

// Walks the package items in order (the tree's root items; `ticked[i]` tells whether item i's box
// is ticked), asks through `prompt` before each, and deletes the agreed ones: first the entry's line
// from cache.ini, then its cached file. Returns true when the user agreed to something, so that the
// cache must be listed again. A file error from the disk is not caught: what was done before it
// stays done.
bool DeleteTicked(const GameFolders& folders, const std::vector<PackageItem>& items,
                  const std::vector<bool>& ticked, UserPrompt& prompt);

}  // namespace thld
