#include "package/region_end.h"

#include <algorithm>
#include <bit>
#include <cstring>

// Windows' C library (msvcrt) looks for a byte one byte at a time, which made the search for the
// end of a region a good part of the listing's processor time there.
#if defined(_WIN32) && (defined(__SSE2__) || defined(_M_X64) || defined(_M_AMD64))
#include <emmintrin.h>
#define THLD_FIND_FF_SSE2 1
#endif

namespace thld {

namespace {

constexpr std::uint8_t kFf = 0xFF;
constexpr std::uint32_t kPackageTag = 0x9E2A83C1;
// Reads that the header suggests are never longer than this, whatever it says.
constexpr std::size_t kLongestSuggestedRead = 256 * 1024;
// The first read after a suggested one that fell short.
constexpr std::size_t kAfterGuess = 4 * 1024;

std::uint32_t U32At(const std::uint8_t* bytes)
{
    return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
           std::uint32_t(bytes[3]) << 24;
}

// The first 0xFF byte of bytes[0, length), or null.
const std::uint8_t* FindFf(const std::uint8_t* bytes, std::size_t length)
{
#ifdef THLD_FIND_FF_SSE2
    const __m128i ff = _mm_set1_epi8(static_cast<char>(kFf));
    std::size_t at = 0;
    for (; at + 16 <= length; at += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
        if (const auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, ff))))
            return bytes + at + std::countr_zero(mask);
    }
    for (; at < length; ++at)
        if (bytes[at] == kFf)
            return bytes + at;
    return nullptr;
#else
    return static_cast<const std::uint8_t*>(std::memchr(bytes, kFf, length));
#endif
}

}  // namespace

std::size_t FindFfRun(const std::uint8_t* bytes, std::size_t length)
{
    // From each 0xFF byte that begins a stretch (found sixteen bytes at a time), the stretch is
    // measured up to eight.
    std::size_t at = 0;
    while (at < length) {
        const std::uint8_t* hit = FindFf(bytes + at, length - at);
        if (!hit)
            return length;
        std::size_t first = static_cast<std::size_t>(hit - bytes);
        std::size_t end = first + 1;
        while (end < length && bytes[end] == kFf && end - first < kFfRunLength)
            ++end;
        if (end - first >= kFfRunLength)
            return first;
        at = end;
    }
    return length;
}

RegionBounds::RegionBounds(std::size_t readSize)
    : readSize_(std::max<std::size_t>(readSize, 1)), nextReadSize_(readSize_)
{}

void RegionBounds::Start(bool scriptPackage)
{
    family_ = scriptPackage ? 1 : 0;
    taken_ = 0;
    tailLength_ = 0;
    names_.reset();
    guessed_ = false;
    afterGuess_ = false;
    nextReadSize_ = readSize_;
}

RegionBounds::Step RegionBounds::Take(const std::uint8_t* piece, std::size_t length, bool fileEnds)
{
    Step step;
    step.inRegion = length;
    const std::uint64_t start = taken_;
    // A run that begins in the last bytes before this piece and goes on into it.
    if (tailLength_ > 0 && length > 0) {
        std::uint8_t joined[2 * (kFfRunLength - 1)];
        std::size_t more = std::min(length, kFfRunLength - 1);
        std::memcpy(joined, tail_, tailLength_);
        std::memcpy(joined + tailLength_, piece, more);
        std::size_t run = FindFfRun(joined, tailLength_ + more);
        if (run < tailLength_ + more) {
            step.inRegion = 0;
            End(step, start - tailLength_ + run);
        }
    }
    if (!step.ended) {
        std::size_t run = FindFfRun(piece, length);
        if (run < length) {
            step.inRegion = run;
            End(step, start + run);
        } else if (fileEnds) {
            End(step, start + length);
        }
    }
    // No real package has a region of this size: the search stops there.
    if (!step.ended && start + length >= kMostRegionBytes) {
        step.inRegion = static_cast<std::size_t>(std::min<std::uint64_t>(length, kMostRegionBytes - start));
        End(step, start + step.inRegion);
    }
    taken_ += length;

    if (start == 0 && !step.ended) {
        names_ = NameTableOf(piece, length);
        nextReadSize_ = SuggestedReadSize();
        guessed_ = nextReadSize_ != readSize_;
    } else if (guessed_) {
        // The guess fell short, mostly by little: the reads after it start small and grow.
        nextReadSize_ = afterGuess_ ? std::min(2 * nextReadSize_, readSize_) : std::min(kAfterGuess, readSize_);
        afterGuess_ = true;
    } else {
        nextReadSize_ = readSize_;
    }
    // Keep the last seven bytes taken.
    if (length >= kFfRunLength - 1) {
        std::memcpy(tail_, piece + length - (kFfRunLength - 1), kFfRunLength - 1);
        tailLength_ = kFfRunLength - 1;
    } else {
        std::size_t keep = std::min(tailLength_, kFfRunLength - 1 - length);
        std::memmove(tail_, tail_ + tailLength_ - keep, keep);
        std::memcpy(tail_ + keep, piece, length);
        tailLength_ = keep + length;
    }
    return step;
}

void RegionBounds::End(Step& step, std::uint64_t regionLength)
{
    step.ended = true;
    step.regionLength = regionLength;
    if (names_)
        Learn(regionLength);
}

std::optional<RegionBounds::NameTable> RegionBounds::NameTableOf(const std::uint8_t* bytes, std::size_t length)
{
    // The package header: tag, two 16-bit versions, flags, then the name count and offset.
    if (length < 20 || U32At(bytes) != kPackageTag || U32At(bytes + 12) == 0)
        return std::nullopt;
    return NameTable{U32At(bytes + 12), U32At(bytes + 16)};
}

std::size_t RegionBounds::SuggestedReadSize() const
{
    // In packages the game writes, the first run of 0xFF bytes comes a few bytes after the name
    // table, which takes close to the same number of bytes per name in every package (14 to 17
    // in maps). A read up to a little past the expected end mostly takes the rest of the region
    // in one step; when the guess falls short, plain reads go on. Only the read sizes depend on
    // it, never what is found. Small reads are asked for on purpose (tests) and kept.
    if (!names_ || readSize_ < kRegionReadSize)
        return readSize_;
    // A little more than the mean so far: 1/32 more, and 256 bytes.
    std::uint64_t perName16 = bytesPerName16_[family_];
    std::uint64_t end = names_->offset + (names_->count * perName16 * 33 / 32) / 16 + 256;
    if (end <= taken_ + readSize_ / 4)
        return readSize_;
    return static_cast<std::size_t>(std::min<std::uint64_t>(end - taken_, kLongestSuggestedRead));
}

void RegionBounds::Learn(std::uint64_t regionLength)
{
    if (regionLength <= names_->offset)
        return;
    // A running mean, kept within the bounds real name tables stay in.
    std::uint64_t seen16 =
        std::clamp<std::uint64_t>((regionLength - names_->offset) * 16 / names_->count, 4 * 16, 64 * 16);
    std::uint32_t& mean = bytesPerName16_[family_];
    mean = static_cast<std::uint32_t>((3 * std::uint64_t(mean) + seen16) / 4);
}

}  // namespace thld
