#pragma once
// The two commands on ticked packages: Delete and Permanent.

#include <string>
#include <vector>

#include "cache/package_item.h"
#include "commands/user_prompt.h"

namespace thld {

struct GameFolders {
    std::string gameFolder;   // ends in the path separator
    std::string cacheFolder;  // gameFolder + "cache" + separator
};

// Each walks the package items in order (the tree's root items; `ticked[i]` tells whether item i's
// box is ticked), asks through `prompt`, and changes the cache. Both return true when the user
// agreed to something, so that the cache must be listed again. A file error from the disk is not
// caught: what was done before it stays done.
bool OnDelete(const GameFolders& folders, const std::vector<PackageItem>& items,
              const std::vector<bool>& ticked, UserPrompt& prompt);
bool OnPermanent(const GameFolders& folders, const std::vector<PackageItem>& items,
                 const std::vector<bool>& ticked, UserPrompt& prompt);

}  // namespace thld
