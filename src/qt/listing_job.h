#pragma once
// The listing of the cache as the window runs it off its own thread. How far it has got can be read
// at any time from another thread, and it can be stopped.

#include <atomic>
#include <cstddef>

#include "game/cache_contents.h"

namespace thld {

struct ListingState {
    std::atomic<ListingPhase> phase{ListingPhase::Kinds};
    std::atomic<std::size_t> done{0};   // of the current phase's steps
    std::atomic<std::size_t> total{0};  // 0 while not known
    std::atomic<bool> stop{false};

    // Filled by RunListing; to be read once it has ended (outcome Stopped once `stop` was seen).
    CacheContents contents;
};

// Lists the cache of `folders` into `state`, with the installed copies. A FileError from the disk
// goes on to the caller.
void RunListing(ListingState& state, const GameFolders& folders);

}  // namespace thld
