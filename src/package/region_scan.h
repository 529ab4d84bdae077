#pragma once
// One pass over the scan region of a package file: the bytes from its start up to its first run
// of eight 0xFF bytes (the whole file when it has none). The region is read once, in large reads,
// and every name pattern in it is found on the way; only a few bytes of one read are kept for the
// next, so memory does not grow with the file.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "package/name_patterns.h"
#include "package/region_end.h"
#include "package/region_search.h"
#include "platform/file.h"

namespace thld {

// Reads the rest of a file's scan region, from `offset` on, as `bounds` sizes the reads and until
// `step` (the step of the bytes before `offset`) says the region has ended. Each read goes to
// room(bytes), which gives where to put that many bytes; the bytes of it that lie in the region go
// to feed(piece, length). Gives the last step. Read failures raise FileError.
template <typename Room, typename Feed>
RegionBounds::Step ReadRegion(const InputFile& file, RegionBounds& bounds, RegionBounds::Step step,
                              std::uint64_t offset, Room&& room, Feed&& feed)
{
    // No further than the file's length when it was opened, though it grows meanwhile.
    const std::uint64_t length = file.Length();
    while (!step.ended) {
        std::size_t wanted = bounds.NextReadSize();
        std::uint8_t* piece = room(wanted);
        const std::size_t left =
            offset < length ? static_cast<std::size_t>(std::min<std::uint64_t>(wanted, length - offset)) : 0;
        std::size_t got = left == 0 ? 0 : file.ReadAt(offset, piece, left);
        offset += got;
        step = bounds.Take(piece, got, got < wanted);  // a short read happens only at the end
        feed(piece, step.inRegion);
    }
    return step;
}

class RegionScanner {
public:
    explicit RegionScanner(const NamePatterns& patterns, std::size_t readSize = kRegionReadSize);

    std::size_t ReadSize() const { return bounds_.ReadSize(); }

    // The numbers of the patterns that occur in the file's region, each once, in the order found
    // (RegionSearch::Finish). Read failures raise FileError.
    const std::vector<std::size_t>& Scan(const InputFile& file);

private:
    std::uint8_t* Room(std::size_t bytes);

    const NamePatterns& patterns_;
    RegionBounds bounds_;
    RegionSearch search_;
    std::vector<std::uint8_t> buffer_;
    std::vector<std::size_t> none_;
};

}  // namespace thld
