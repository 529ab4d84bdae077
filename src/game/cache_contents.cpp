#include "game/cache_contents.h"

#include <algorithm>
#include <future>
#include <system_error>
#include <utility>

#include "cache/cache_guard.h"
#include "cache/cached_file.h"
#include "cache/listing_recall.h"
#include "cache/requirements.h"
#include "game/game_step_places.h"
#include "platform/canonical_folder.h"
#include "platform/environment.h"

namespace thld {

namespace {

// The first batch of listed items is small, so that a program shows rows at once; each after it
// twice the last, up to the largest.
constexpr std::size_t kFirstBatch = 64;
constexpr std::size_t kLargestBatch = 8192;

// Looks for what a change in progress leaves, on a thread of its own where one can be had: the
// names of a big cache folder take a while to read (some 40 ms at 100,000 files), and the listing
// has its own work to begin with meanwhile.
class LeftoverLook {
public:
    explicit LeftoverLook(const std::string& cacheFolder)
    {
        try {
            found_ = std::async(std::launch::async, [cacheFolder] { return LeftoversIn(cacheFolder); });
        } catch (const std::system_error&) {
            answer_ = LeftoversIn(cacheFolder);
        }
    }
    // Waits for the answer.
    bool Found()
    {
        if (found_.valid())
            answer_ = found_.get();
        return answer_;
    }

private:
    std::future<bool> found_;  // its destructor waits for the thread, however the listing ends
    bool answer_ = false;
};

// A copy of a listed item without the names found in its file, which only the requirements pass
// takes (and which would double what a big listing holds).
PackageItem WithoutNamesInRegion(const PackageItem& item)
{
    PackageItem copy;
    copy.name = item.name;
    copy.entryNumber = item.entryNumber;
    copy.key = item.key;
    copy.kind = item.kind;
    copy.sizeText = item.sizeText;
    copy.size = item.size;
    copy.requirements = item.requirements;
    copy.modified = item.modified;
    return copy;
}

}  // namespace

CacheContents ListCacheContents(const GameFolders& folders, InstalledCopies installedCopies,
                                const ListingPhaseProgress& progress, const ListedItems& listed, ListingMemoUse memo,
                                Requirements requirements)
{
    std::optional<MemoPlace> memoPlace;
    if (memo != ListingMemoUse::None) {
        const std::string memoFolder = ProgramCacheFolder();
        const std::optional<std::string> canonical = CanonicalFolder(folders.cacheFolder);
        if (!memoFolder.empty() && canonical)
            memoPlace = MemoPlace{MemoPathOf(memoFolder, *canonical), *canonical, memo == ListingMemoUse::Kept};
    }
    CacheContents contents;
    Listing& listing = contents.listing;
    // What a program ended in the middle of a change left is settled before anything is listed.
    // The cache folder is looked at while the listing reads cache.ini and its first files; no file
    // is answered before the look has ended. Where something was left, the listing so far is
    // dropped, it is settled, and the cache listed afresh.
    LeftoverLook leftovers(folders.cacheFolder);
    bool looked = false;
    struct SettleFirst {};
    auto settleFirstIfLeft = [&] {
        if (!std::exchange(looked, true) && leftovers.Found())
            throw SettleFirst{};
    };
    // Tells the callback; true, with the contents marked as stopped, when it answers Stop.
    auto stopAt = [&](ListingPhase phase, std::size_t done, std::size_t total) {
        if (!progress || progress(phase, done, total) != ListingStep::Stop)
            return false;
        listing.outcome = Listing::Outcome::Stopped;
        contents.installed.clear();
        return true;
    };
    if (stopAt(ListingPhase::Kinds, 0, 0))
        return contents;
    std::vector<PackageItem> batch;
    std::size_t batchSize = kFirstBatch;
    auto handOver = [&] {
        if (!batch.empty())
            listed(std::exchange(batch, {}));
        batchSize = std::min(2 * batchSize, kLargestBatch);
    };
    ItemListed itemListed;
    if (listed)
        itemListed = [&](const PackageItem& item) {
            if (batch.empty())
                batch.reserve(batchSize);
            batch.push_back(WithoutNamesInRegion(item));
            if (batch.size() == batchSize)
                handOver();
        };
    auto listCache = [&] {
        return ListCacheIndex(
            folders.cacheFolder, kRegionReadSize, ProbeThreads::Auto,
            [&](std::size_t done, std::size_t total) {
                settleFirstIfLeft();
                const bool stop = progress && progress(ListingPhase::Kinds, done, total) == ListingStep::Stop;
                return stop ? ListingStep::Stop : ListingStep::Continue;
            },
            itemListed, memoPlace ? &*memoPlace : nullptr);
    };
    try {
        listing = listCache();
        settleFirstIfLeft();  // when no file was answered
    } catch (const SettleFirst&) {
        contents.journal = RecoverCacheIfIdle(StepPlacesOf(folders));
        listing = listCache();
    }
    if (listed && listing.outcome == Listing::Outcome::Listed)
        handOver();
    if (listing.outcome != Listing::Outcome::Listed || listing.items.empty())
        return contents;  // with no item, no further phase begins

    std::vector<PackageItem>& items = listing.items;
    if (requirements == Requirements::Skip)
        return contents;
    if (stopAt(ListingPhase::Requirements, 0, 0))
        return contents;
    DetermineRelationships(folders.cacheFolder, items);

    if (installedCopies == InstalledCopies::Skip || folders.gameFolder.empty())
        return contents;
    if (stopAt(ListingPhase::Installed, 0, items.size()))
        return contents;
    const InstalledPackages installed(folders.gameFolder);
    contents.installed.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        // A key that is no plain file name names no file to compare (an empty one names ".uxx"): a
        // copy in the game then differs.
        const std::string& key = items[i].key;
        const std::string cachedFile =
            key.empty() || IsPlainFileName(key) ? CachedFilePath(folders.cacheFolder, key) : std::string();
        contents.installed.push_back(installed.Check(items[i], cachedFile));
        if (stopAt(ListingPhase::Installed, i + 1, items.size()))
            return contents;
    }
    return contents;
}

}  // namespace thld
