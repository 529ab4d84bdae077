#pragma once
// Whether a cached package will load offline once made permanent, in one line for `requires` and
// `keep --dry-run`.

#include <string>
#include <vector>

#include "cache/package_item.h"
#include "cli/console_output.h"
#include "game/offline_check.h"

namespace thld::cli {

// "Offline: NAME will load once made permanent.", "... will not load once made permanent: A and B
// (through C) are found neither in the game's folders nor in the cache.", or why it can't be told,
// ended by a line break. `offline` is made from `items`, once for all the lines of a listing.
std::string OfflineLine(const OfflineCheck& offline, const std::vector<PackageItem>& items, std::size_t item,
                        const Console& console);

}  // namespace thld::cli
