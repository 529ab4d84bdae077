#pragma once
// The listing of the cache as the window runs it off its own thread. How far it has got can be read
// at any time from another thread, and it can be stopped; the items are handed over as they are
// listed.

#include <atomic>
#include <cstddef>
#include <memory>
#include <vector>

#include "game/cache_checks.h"
#include "game/cache_contents.h"

namespace thld {

struct ListingState {
    std::atomic<ListingPhase> phase{ListingPhase::Kinds};
    std::atomic<std::size_t> done{0};   // of the current phase's steps
    std::atomic<std::size_t> total{0};  // 0 while not known
    std::atomic<bool> stop{false};

    // Filled by RunListing; to be read once it has ended (outcome Stopped once `stop` was seen).
    // Where it ended Listed, the listing's items are in `items` (without the names found in their
    // files, which only the requirements pass takes) and `offline` is made from them.
    CacheContents contents;
    std::shared_ptr<const std::vector<PackageItem>> items;
    std::shared_ptr<const OfflineCheck> offline;
};

// Lists the cache of `folders` into `state`, with the installed copies; `listed` is given the
// items as they are listed, on this thread. A FileError from the disk goes on to the caller.
void RunListing(ListingState& state, const GameFolders& folders, const ListedItems& listed = {});

}  // namespace thld
