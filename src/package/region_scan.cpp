#include "package/region_scan.h"

namespace thld {

RegionScanner::RegionScanner(const NamePatterns& patterns, std::size_t readSize)
    : patterns_(patterns), bounds_(readSize), search_(patterns)
{}

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
    RegionBounds::Step step = ReadRegion(
        file, bounds_, RegionBounds::Step{}, 0, [&](std::size_t bytes) { return Room(bytes); },
        [&](std::uint8_t* piece, std::size_t length) { search_.Feed(piece, length); });
    return search_.Finish(step.regionLength);
}

}  // namespace thld
