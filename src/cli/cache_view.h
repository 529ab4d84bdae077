#pragma once
// The cache as `list` shows it, in a table or as JSON: the listing in the order asked for, with
// what the game's own folders hold of each package.

#include <cstdint>
#include <string>
#include <vector>

#include "cache/cache_listing.h"
#include "cli/console_output.h"
#include "game/installation.h"
#include "game/installed_packages.h"

namespace thld::cli {

struct CacheView {
    Installation installation;
    Listing listing;                 // with the requirements
    std::vector<std::size_t> order;  // the items in the order shown
    // installed[i] for listing.items[i]; empty when the game folder is not known.
    std::vector<InstalledPackages::Found> installed;
    std::int64_t now = 0;  // seconds since 1970, for the ages
};

// The listing's items in the order of `sort`: "" (cache.ini's), "name" (without regard to case),
// "kind", "size" (largest first) or "age" (oldest first); ties stay in cache.ini's order.
std::vector<std::size_t> SortedOrder(const CacheView& view, const std::string& sort);

// The table: one line per package (name, kind, size for people or `inBytes`, age in days, and
// whether the game holds the package already), its requirements below it, then the total, within
// the console's width.
void PrintTable(const CacheView& view, bool inBytes, Console& console);

// One JSON object (its schema is in docs/USAGE.md).
void PrintJson(const CacheView& view, Console& console);

}  // namespace thld::cli
