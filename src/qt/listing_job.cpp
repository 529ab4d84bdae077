#include "qt/listing_job.h"

namespace thld {

void RunListing(ListingState& state, const GameFolders& folders)
{
    state.contents = ListCacheContents(folders, InstalledCopies::Check,
                                       [&state](ListingPhase phase, std::size_t done, std::size_t total) {
                                           state.phase = phase;
                                           state.total = total;
                                           state.done = done;
                                           return state.stop ? ListingStep::Stop : ListingStep::Continue;
                                       });
}

}  // namespace thld
