#pragma once
// Permanent: each ticked package, once the user agrees, moves from the cache into the game's own
// folder for its kind; maps and script packages take the cached packages they require along.

#include <vector>

#include "cache/package_item.h"
#include "commands/user_prompt.h"
#include "game/game_folder.h"

namespace thld {

// Walks the package items in order (the tree's root items; `ticked[i]` tells whether item i's box
// is ticked) and asks through `prompt` before each; a No ends the walk. An item whose package this
// run has moved already (along with another) is passed over without a question. An agreed map or
// script package moves after the packages it requires (move_with_requirements.h), a texture package
// alone, any other kind not at all; a package whose cached file or destination is a link stays,
// and the user is told. Returns true when the user agreed to something, so that the cache must be
// listed again. The run stops at the first failure, with every package either moved without its
// line or cached with it (move_cached_file.h): cache.ini that can't be read or written is told, a
// file error from the disk is not caught; the packages moved before stay moved.
bool MakeTickedPermanent(const GameFolders& folders, const std::vector<PackageItem>& items,
                         const std::vector<bool>& ticked, UserPrompt& prompt);

}  // namespace thld
