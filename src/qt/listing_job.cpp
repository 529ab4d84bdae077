#include "qt/listing_job.h"

#include "cache/cached_file.h"
#include "cache/requirements.h"

namespace thld {

namespace {

void Report(ListingState& state, std::size_t done, std::size_t total)
{
    if (state.stop)
        throw ListingStopped{};
    state.total = total;
    state.done = done;
}

void EnterPhase(ListingState& state, ListingState::Phase phase, std::size_t total)
{
    Report(state, 0, 0);
    state.phase = phase;
    state.total = total;
}

}  // namespace

void RunListing(ListingState& state, const GameFolders& folders)
{
    state.listing = ListCacheIndex(folders.cacheFolder, kRegionReadSize, ProbeThreads::Auto,
                                   [&state](std::size_t done, std::size_t total) { Report(state, done, total); });
    std::vector<PackageItem>& items = state.listing.items;
    if (items.empty())
        return;

    EnterPhase(state, ListingState::Phase::Requirements, 0);
    DetermineRelationships(folders.cacheFolder, items);

    EnterPhase(state, ListingState::Phase::Installed, items.size());
    const InstalledPackages installed(folders.gameFolder);
    state.installed.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        state.installed.push_back(installed.Check(items[i], CachedFilePath(folders.cacheFolder, items[i].key)));
        Report(state, i + 1, items.size());
    }
}

}  // namespace thld
