#include "package/region_scan.h"

#include <algorithm>
#include <cstring>

namespace thld {

namespace {
constexpr std::uint8_t kFf = 0xFF;
// Spare bytes after the data: the sieves read up to 17 bytes from a position.
constexpr std::size_t kPadding = 32;
}  // namespace

std::size_t FindFfRun(const std::uint8_t* bytes, std::size_t length)
{
    // From each 0xFF byte that begins a stretch (the C library finds those fast), the stretch is
    // measured up to eight.
    std::size_t at = 0;
    while (at < length) {
        const void* hit = std::memchr(bytes + at, kFf, length - at);
        if (!hit)
            return length;
        std::size_t first = static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - bytes);
        std::size_t end = first + 1;
        while (end < length && bytes[end] == kFf && end - first < kFfRunLength)
            ++end;
        if (end - first >= kFfRunLength)
            return first;
        at = end;
    }
    return length;
}

RegionScanner::RegionScanner(const NamePatterns& patterns, std::size_t readSize)
    : patterns_(patterns), readSize_(std::max<std::size_t>(readSize, 1))
{
}

void RegionScanner::Note(std::size_t pattern)
{
    if (lastScanOf_[pattern] != scan_) {
        lastScanOf_[pattern] = scan_;
        found_.push_back(pattern);
    }
}

void RegionScanner::Search(std::size_t from, std::size_t to, std::size_t limit)
{
    const std::uint8_t* bytes = buffer_.data();
    auto look = [&](std::size_t at) {
        if (patterns_.MayStartAt(bytes + at)) {
            if (std::size_t found = patterns_.Find(bytes + at); found != NamePatterns::kNone)
                Note(found);
        }
    };
    // Up to `sure`, every pattern fits before the limit wherever it starts.
    std::size_t longest = patterns_.LongestPattern();
    std::size_t sure = limit >= longest ? std::max(from, std::min(to, limit - longest + 1)) : from;
    ForEachCandidate(bytes, from, sure, patterns_.LengthBytes(), patterns_.SecondBytes(), look);
    for (std::size_t at = sure; at < to; ++at)
        if (at + bytes[at] <= limit && bytes[at] != 0)
            look(at);
}

const std::vector<std::size_t>& RegionScanner::Scan(const InputFile& file, const std::uint8_t* head,
                                                    std::size_t length, bool headEndsFile)
{
    found_.clear();
    if (patterns_.Count() == 0)
        return found_;
    lastScanOf_.resize(patterns_.Count(), 0);
    if (++scan_ == 0) {  // the counter wrapped: forget every mark
        std::fill(lastScanOf_.begin(), lastScanOf_.end(), 0);
        scan_ = 1;
    }
    const std::size_t longest = patterns_.LongestPattern();
    const std::size_t keep = longest + kFfRunLength;
    buffer_.resize(std::max(keep, length) + readSize_ + kPadding);
    if (length > 0)
        std::memcpy(buffer_.data(), head, length);

    std::uint64_t offset = length;  // of the next read
    std::size_t have = length;      // bytes in the buffer
    std::size_t next = 0;           // the first start position not yet searched
    std::size_t runFrom = 0;        // where the search for the run goes on
    bool first = length > 0;        // the first bytes are there without a read
    for (;;) {
        bool fileEnds = headEndsFile;
        if (!first) {
            std::size_t got = file.ReadAt(offset, buffer_.data() + have, readSize_);
            offset += got;
            have += got;
            fileEnds = got < readSize_;  // a short read happens only at the end
        }
        first = false;
        std::fill_n(buffer_.data() + have, kPadding, 0);

        std::size_t run = runFrom + FindFfRun(buffer_.data() + runFrom, have - runFrom);
        if (run < have || fileEnds) {
            // The region ends here (at the run, or at the end of the file): a pattern must end
            // before its last byte.
            if (run > 0)
                Search(next, run - 1, run - 1);
            return found_;
        }
        // No run lies wholly in the buffer, so the region goes on at least to have - 7: a pattern
        // ending by have - 8 counts, and the start positions where every pattern does are settled.
        std::size_t limit = have - kFfRunLength;
        if (have >= kFfRunLength && limit + 1 >= longest && limit + 1 - longest > next) {
            std::size_t to = limit + 1 - longest;
            Search(next, to, limit);
            next = to;
        }
        // Keep the unsettled bytes and the last seven, which may begin a run.
        std::size_t drop = std::min(next, have - std::min(have, kFfRunLength - 1));
        std::memmove(buffer_.data(), buffer_.data() + drop, have - drop);
        have -= drop;
        next -= drop;
        runFrom = have - std::min(have, kFfRunLength - 1);
    }
}

}  // namespace thld
