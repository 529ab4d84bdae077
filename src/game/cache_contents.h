#pragma once
// The cache of an installation as every program lists it, in one call: each package of cache.ini
// with its kind, size and time (the listing), what it requires (the requirements pass), and whether
// the game's own folders hold a copy of it. A callback is told which step runs and how far it has
// got; its answer can stop the listing.

#include <cstddef>
#include <functional>
#include <vector>

#include "cache/cache_guard.h"
#include "cache/cache_listing.h"
#include "game/game_folder.h"
#include "game/installed_packages.h"

namespace thld {

struct CacheContents {
    // The outcome, cache.ini's path, the items in file order with their requirements, the total.
    Listing listing;
    // installed[i] for listing.items[i]; empty when the game folder is not known (empty), when the
    // installed copies were not asked for, or when the listing did not end as Listed.
    std::vector<InstalledPackages::Found> installed;
    // What the settling of a record left by an ended program found, before the listing (the
    // front-ends tell it in the core's words: commands/journal_messages.h).
    JournalFinding journal;
};

// The steps of the listing, in the order they run.
enum class ListingPhase {
    Kinds,         // each cached file opened once: kind, size, time; done and total count entries
    Requirements,  // the requirements pass; told once as it starts, with 0 of 0
    Installed,     // the game's folders compared; done and total count items
};

// Called on the calling thread as each phase starts (0 done) and after each step of it. The phases
// after Kinds begin only when there is an item.
using ListingPhaseProgress = std::function<ListingStep(ListingPhase phase, std::size_t done, std::size_t total)>;

// Handed, on the calling thread during the Kinds phase, each batch of newly listed items in file
// order, so that a program can show them before the listing ends: copies without
// PackageItem::namesInRegion, and without requirements (they come only after the whole listing).
// Batches grow from a few dozen items to some thousands. Where the listing ends Listed, every one
// of its items has been handed over, in order, before the Requirements phase begins.
using ListedItems = std::function<void(std::vector<PackageItem>&& items)>;

// Whether the listing answers from the memo of earlier listings (listing_memo.h) and keeps it.
enum class ListingMemoUse {
    None,  // every file is read; no memo is read or written
    Kept,  // the memo of this cache folder, in the user's cache folder (ProgramCacheFolder)
    // The memo where it answers; no other file is opened: its size and time are the folder's, its
    // kind "Unknown" and its tables not read (for Delete, which needs neither kinds nor tables).
    StampsOnly,
};

enum class InstalledCopies {
    Skip,   // only the listing and the requirements
    Check,  // those, then each package looked for in the game's folders
};

enum class Requirements {
    Determine,  // the requirements pass runs (the phase Requirements)
    Skip,       // no package's requirements are read: a command that needs none (Delete) lists faster
};

// Settles first what a program ended in the middle of a change left (RecoverCacheIfIdle; the
// cache folder is looked at for it while the listing begins, and no item is answered or handed
// over before that look has ended). Lists
// the cache folder of `folders`, fills the requirements of every map and script package and,
// when asked and the game folder is known, compares each package with the game's installed copy
// (InstalledPackages::Check). Ends early with the listing's outcome when that is not Listed, and
// with outcome Stopped as soon as the callback answers Stop. A read that fails raises FileError.
// With ListingMemoUse::Kept, files the memo holds in their present state are not read.
CacheContents ListCacheContents(const GameFolders& folders, InstalledCopies installedCopies,
                                const ListingPhaseProgress& progress = {}, const ListedItems& listed = {},
                                ListingMemoUse memo = ListingMemoUse::None,
                                Requirements requirements = Requirements::Determine);

}  // namespace thld
