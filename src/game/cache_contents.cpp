#include "game/cache_contents.h"

#include "cache/cache_guard.h"
#include "cache/cached_file.h"
#include "cache/requirements.h"

namespace thld {

CacheContents ListCacheContents(const GameFolders& folders, InstalledCopies installedCopies,
                                const ListingPhaseProgress& progress)
{
    auto told = [&](ListingPhase phase, std::size_t done, std::size_t total) {
        return progress && progress(phase, done, total) == ListingStep::Stop;
    };
    CacheContents contents;
    Listing& listing = contents.listing;
    // What a program ended in the middle of a change left is settled before anything is listed.
    RecoverCacheIfIdle(folders.cacheFolder, folders.gameFolder);
    if (told(ListingPhase::Kinds, 0, 0)) {
        listing.outcome = Listing::Outcome::Stopped;
        return contents;
    }
    listing = ListCacheIndex(
        folders.cacheFolder, kRegionReadSize, ProbeThreads::Auto, [&](std::size_t done, std::size_t total) {
            return told(ListingPhase::Kinds, done, total) ? ListingStep::Stop : ListingStep::Continue;
        });
    if (listing.outcome != Listing::Outcome::Listed || listing.items.empty())
        return contents;  // with no item, no further phase begins

    std::vector<PackageItem>& items = listing.items;
    if (told(ListingPhase::Requirements, 0, 0)) {
        listing.outcome = Listing::Outcome::Stopped;
        return contents;
    }
    DetermineRelationships(folders.cacheFolder, items);

    if (installedCopies == InstalledCopies::Skip || folders.gameFolder.empty())
        return contents;
    if (told(ListingPhase::Installed, 0, items.size())) {
        listing.outcome = Listing::Outcome::Stopped;
        return contents;
    }
    const InstalledPackages installed(folders.gameFolder);
    contents.installed.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        contents.installed.push_back(installed.Check(items[i], CachedFilePath(folders.cacheFolder, items[i].key)));
        if (told(ListingPhase::Installed, i + 1, items.size())) {
            listing.outcome = Listing::Outcome::Stopped;
            contents.installed.clear();
            return contents;
        }
    }
    return contents;
}

}  // namespace thld
