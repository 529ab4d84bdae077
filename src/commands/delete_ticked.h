#pragma once
// Delete: each ticked package, once the user agrees, leaves cache.ini and then the cache folder.

#include <vector>

#include "cache/package_item.h"
#include "commands/user_prompt.h"
#include "game/game_folder.h"

namespace thld {

// Walks the package items in order (the tree's root items; `ticked[i]` tells whether item i's box
// is ticked), asks through `prompt` before each, and deletes the agreed ones: the entry's line from
// cache.ini and its cached file go together or not at all (a link goes itself, never what it leads
// to). An item whose package this run has deleted already is passed over without a question.
// Returns true when the user agreed to something, so that the cache must be listed again. The run
// stops at the first failure: cache.ini that can't be read or written is told, a file error from
// the disk is not caught; the packages deleted before stay deleted.
bool DeleteTicked(const GameFolders& folders, const std::vector<PackageItem>& items, const std::vector<bool>& ticked,
                  UserPrompt& prompt);

}  // namespace thld
