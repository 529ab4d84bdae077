#pragma once
// Whether a cached map will load offline once made permanent, in one line for `requires` and
// `keep --dry-run`.

#include <string>
#include <vector>

#include "cache/package_item.h"
#include "cli/console_output.h"
#include "game/cache_checks.h"

namespace thld::cli {

// "Offline: NAME will load once made permanent." or "... will not load once made permanent: A and
// B are found neither in the game's folders nor in the cache.", ended by a line break; empty for
// a package that is no map, or where it can't be told (see MissingOffline). `offline` is made
// from `items`, once for all the lines of a listing.
std::string OfflineLine(const OfflineCheck& offline, const std::vector<PackageItem>& items, std::size_t item,
                        const Console& console);

}  // namespace thld::cli
