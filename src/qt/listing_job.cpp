#include "qt/listing_job.h"

namespace thld {

void RunListing(ListingState& state, const GameFolders& folders, const ListedItems& listed)
{
    state.contents = ListCacheContents(
        folders, InstalledCopies::Check,
        [&state](ListingPhase phase, std::size_t done, std::size_t total) {
            state.phase = phase;
            state.total = total;
            state.done = done;
            return state.stop ? ListingStep::Stop : ListingStep::Continue;
        },
        listed, ListingMemoUse::Kept);
    if (state.contents.listing.outcome != Listing::Outcome::Listed)
        return;
    // The requirements pass has emptied the items' namesInRegion.
    state.items = std::make_shared<const std::vector<PackageItem>>(std::move(state.contents.listing.items));
    state.offline = std::make_shared<const OfflineCheck>(folders, *state.items);
}

}  // namespace thld
