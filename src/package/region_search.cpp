#include "package/region_search.h"

#include <algorithm>
#include <cstring>

#include "package/byte_pair_sieve.h"
#include "package/region_end.h"

namespace thld {

namespace {
// The search goes through a piece in blocks of this many start positions, so that the positions
// kept between the filter and the table lookups take little memory however long the piece is.
constexpr std::size_t kSearchBlock = 16 * 1024;
}  // namespace

RegionSearch::RegionSearch(const NamePatterns& patterns)
    : patterns_(patterns), carry_(kRoomBefore + kRoomAfter), hits_(kSearchBlock + 64), hashes_(kSearchBlock + 64)
{}

void RegionSearch::Start()
{
    carried_ = 0;
    fed_ = 0;
    found_.clear();
    lastScanOf_.resize(patterns_.Count(), 0);
    if (++scan_ == 0) {  // the counter wrapped: forget every mark
        std::fill(lastScanOf_.begin(), lastScanOf_.end(), 0);
        scan_ = 1;
    }
}

void RegionSearch::Note(std::size_t pattern)
{
    if (lastScanOf_[pattern] != scan_) {
        lastScanOf_[pattern] = scan_;
        found_.push_back(pattern);
    }
}

void RegionSearch::Feed(std::uint8_t* piece, std::size_t length)
{
    fed_ += length;
    if (patterns_.Count() == 0)
        return;
    std::uint8_t* bytes = piece - carried_;
    std::memcpy(bytes, carry_.data(), carried_);
    std::memset(piece + length, 0, kRoomAfter);
    const std::size_t have = carried_ + length;

    // The region goes on at least to have - 7 (a run may begin in the last seven bytes): a pattern
    // ending by have - 8 counts, and the start positions where every pattern does are settled.
    const std::size_t longest = patterns_.LongestPattern();
    std::size_t settled = 0;
    if (have >= kFfRunLength && have - kFfRunLength + 1 > longest) {
        std::size_t limit = have - kFfRunLength;
        settled = limit + 1 - longest;
        Search(bytes, 0, settled, limit);
    }
    carried_ = have - settled;  // at most longest + 7 bytes
    std::memcpy(carry_.data(), bytes + settled, carried_);
}

const std::vector<std::size_t>& RegionSearch::Finish(std::uint64_t regionLength)
{
    if (patterns_.Count() == 0)
        return found_;
    // The carried bytes are the region's last ones up to what was fed; the region may end up to
    // seven bytes before that.
    std::uint64_t carriedFrom = fed_ - carried_;
    std::size_t end = regionLength > carriedFrom ? static_cast<std::size_t>(regionLength - carriedFrom) : 0;
    std::memset(carry_.data() + end, 0, carry_.size() - end);
    if (end > 0)
        Search(carry_.data(), 0, end - 1, end - 1);
    return found_;
}

void RegionSearch::Search(const std::uint8_t* bytes, std::size_t from, std::size_t to, std::size_t limit)
{
    for (std::size_t start = from; start < to; start += kSearchBlock)
        SearchBlock(bytes, start, std::min(to, start + kSearchBlock), limit);
}

void RegionSearch::SearchBlock(const std::uint8_t* bytes, std::size_t from, std::size_t to, std::size_t limit)
{
    const NamePatterns::Filter filter = patterns_.GetFilter();
    // The filter's answers are kept without a branch (nearly all are no); the few positions it
    // lets through are looked up together, their table memory fetched first.
    std::uint32_t* hits = hits_.data();
    std::size_t count = 0;
    auto keep = [&](std::size_t at) {
        hits[count] = static_cast<std::uint32_t>(at);
        count += filter.MayStartAt(bytes + at);
    };
    // Up to `sure`, every pattern fits before the limit wherever it starts.
    std::size_t longest = patterns_.LongestPattern();
    std::size_t sure = limit >= longest ? std::max(from, std::min(to, limit - longest + 1)) : from;
    ForEachCandidate(bytes, from, sure, patterns_.LengthBytes(), patterns_.SecondBytes(), keep);
    for (std::size_t at = sure; at < to; ++at)
        if (at + bytes[at] <= limit && bytes[at] != 0)
            keep(at);

    std::uint32_t* hashes = hashes_.data();
    for (std::size_t i = 0; i < count; ++i) {
        hashes[i] = patterns_.HashAt(bytes + hits[i]);
        patterns_.Prefetch(hashes[i]);
    }
    for (std::size_t i = 0; i < count; ++i)
        if (std::size_t found = patterns_.Find(bytes + hits[i], hashes[i]); found != NamePatterns::kNone)
            Note(found);
}

}  // namespace thld
