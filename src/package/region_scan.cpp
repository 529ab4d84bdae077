#include "package/region_scan.h"

namespace thld {

RegionScanner::RegionScanner(const NamePatterns& patterns, std::size_t readSize)
    : patterns_(patterns), bounds_(readSize), search_(patterns)
{
}

std::uint8_t* RegionScanner::Room(std::size_t bytes)
{
    std::size_t wanted = RegionSearch::kRoomBefore + bytes + RegionSearch::kRoomAfter;
    if (buffer_.size() < wanted)
        buffer_.resize(wanted);
    return buffer_.data() + RegionSearch::kRoomBefore;
}

const std::vector<std::size_t>& RegionScanner::Scan(const InputFile& file)
{
    if (patterns_.Count() == 0)
        return none_;
    bounds_.Start();
    search_.Start();
    RegionBounds::Step step;
    std::uint64_t offset = 0;
    while (!step.ended) {
        std::size_t wanted = bounds_.NextReadSize();
        std::uint8_t* piece = Room(wanted);
        std::size_t got = file.ReadAt(offset, piece, wanted);
        offset += got;
        step = bounds_.Take(piece, got, got < wanted);  // a short read happens only at the end
        search_.Feed(piece, step.inRegion);
    }
    return search_.Finish(step.regionLength);
}

}  // namespace thld
