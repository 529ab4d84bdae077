#pragma once
// The search of a scan region for name patterns, fed the region's bytes piece by piece in order.
// The few bytes at a piece's end where a pattern may still go on are carried over to the next
// piece (written just before it), so a piece is searched where it lies, without copying it.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "package/name_patterns.h"

namespace thld {

class RegionSearch {
public:
    // Room that every piece must leave writable before it (for the bytes carried over) and after
    // it (zeros, so that the search may read a little past the end).
    static constexpr std::size_t kRoomBefore = 512;
    static constexpr std::size_t kRoomAfter = 32;

    explicit RegionSearch(const NamePatterns& patterns);

    // Begins a region.
    void Start();
    // The region's next `length` bytes, at `piece`; the room around it is overwritten.
    void Feed(std::uint8_t* piece, std::size_t length);
    // Ends the region at `regionLength` bytes from its start: at most the bytes fed, and at least
    // those minus seven. Gives the numbers of the patterns that occur in it, each once, in the
    // order found. A pattern counts where it starts at 0 .. F - P - 1 (F the region's length, P
    // the pattern's): one whose last byte would be the region's last byte does not.
    const std::vector<std::size_t>& Finish(std::uint64_t regionLength);

private:
    // Looks at the start positions from .. to - 1 of `bytes` for patterns ending by `limit`.
    void Search(const std::uint8_t* bytes, std::size_t from, std::size_t to, std::size_t limit);
    void SearchBlock(const std::uint8_t* bytes, std::size_t from, std::size_t to, std::size_t limit);
    void Note(std::size_t pattern);

    const NamePatterns& patterns_;
    std::vector<std::uint8_t> carry_;        // the unsettled bytes at the end of what was fed
    std::size_t carried_ = 0;                // how many
    std::uint64_t fed_ = 0;                  // bytes fed since Start
    std::vector<std::uint32_t> hits_;        // positions that passed the filter, in one block
    std::vector<std::uint32_t> hashes_;      // and their hashes
    std::vector<std::uint32_t> lastScanOf_;  // per pattern: the region that found it last
    std::uint32_t scan_ = 0;
    std::vector<std::size_t> found_;
};

}  // namespace thld
