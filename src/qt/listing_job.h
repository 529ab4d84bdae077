#pragma once
// The listing of the cache as the window runs it off its own thread: the kinds and sizes, then the
// requirements, then the installed copies. How far it has got can be read at any time from another
// thread, and it can be stopped.

#include <atomic>
#include <cstddef>
#include <vector>

#include "cache/cache_listing.h"
#include "game/game_folder.h"
#include "game/installed_packages.h"

namespace thld {

struct ListingState {
    enum class Phase {
        Kinds,
        Requirements,
        Installed
    };
    std::atomic<Phase> phase{Phase::Kinds};
    std::atomic<std::size_t> done{0};   // of the current phase's steps
    std::atomic<std::size_t> total{0};  // 0 while not known
    std::atomic<bool> stop{false};

    // Filled by RunListing; to be read once it has ended.
    Listing listing;
    std::vector<InstalledPackages::Found> installed;  // one per listed item
};

// What RunListing throws once `stop` is set.
struct ListingStopped {};

// Lists the cache of `folders` into `state`. A FileError from the disk goes on to the caller.
void RunListing(ListingState& state, const GameFolders& folders);

}  // namespace thld
