#pragma once
// The first sieve of the name search: the positions whose byte and next byte both fall in given
// ranges (a pattern's length byte and its name's first byte). With SSE2 (every x86-64 processor)
// sixteen positions are tested at a time; the positions found in a window of the buffer are
// written out first and handed on afterwards, so that the hand-over loop runs without the
// mispredicted branches of walking each mask bit by bit.

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__) || defined(_M_X64) || defined(_M_AMD64)
#include <emmintrin.h>
#define THLD_HAVE_SSE2 1
#endif

namespace thld {

// The bytes low .. high; low <= high.
struct ByteRange {
    std::uint8_t low = 0;
    std::uint8_t high = 0;
    bool Holds(std::uint8_t byte) const { return static_cast<std::uint8_t>(byte - low) <= high - low; }
};

namespace detail {

inline constexpr std::size_t kCandidateWindow = 1024;

// The number of bits set, without the library call that std::popcount becomes on processors
// not known to have the instruction.
inline unsigned BitCount(std::uint64_t v)
{
    v = v - ((v >> 1) & 0x5555555555555555ull);
    v = (v & 0x3333333333333333ull) + ((v >> 2) & 0x3333333333333333ull);
    v = (v + (v >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<unsigned>((v * 0x0101010101010101ull) >> 56);
}

// Writes the offsets from `from` of the candidates in [from, to) (to - from <= kCandidateWindow)
// to `out`, which has room for kCandidateWindow + 64; gives their count.
// The same with AVX2, 32 positions at a time, on processors that have it (byte_pair_sieve.cpp);
// nullptr elsewhere.
using CollectFunction = std::size_t (*)(const std::uint8_t*, std::size_t, std::size_t, ByteRange, ByteRange,
                                        std::uint32_t*);
CollectFunction WideCollector();

// Without AVX2: SSE2 where the processor has it (every x86-64 one), else a byte at a time.
inline std::size_t CollectCandidatesNarrow(const std::uint8_t* bytes, std::size_t from, std::size_t to, ByteRange first,
                                           ByteRange second, std::uint32_t* out)
{
    std::size_t count = 0;
    std::size_t at = from;
#ifdef THLD_HAVE_SSE2
    // A byte x lies in [low, high] when x - low (wrapping) <= high - low, that is when
    // max(x - low, span) == span.
    const __m128i firstLow = _mm_set1_epi8(static_cast<char>(first.low));
    const __m128i firstSpan = _mm_set1_epi8(static_cast<char>(first.high - first.low));
    const __m128i secondLow = _mm_set1_epi8(static_cast<char>(second.low));
    const __m128i secondSpan = _mm_set1_epi8(static_cast<char>(second.high - second.low));
    auto block = [&](std::size_t p) -> std::uint64_t {
        __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + p));
        __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + p + 1));
        __m128i a = _mm_max_epu8(_mm_sub_epi8(here, firstLow), firstSpan);
        __m128i b = _mm_max_epu8(_mm_sub_epi8(next, secondLow), secondSpan);
        __m128i both = _mm_and_si128(_mm_cmpeq_epi8(a, firstSpan), _mm_cmpeq_epi8(b, secondSpan));
        return static_cast<std::uint32_t>(_mm_movemask_epi8(both));
    };
    for (; at + 64 <= to; at += 64) {
        std::uint64_t mask = block(at) | (block(at + 16) << 16) | (block(at + 32) << 32) | (block(at + 48) << 48);
        auto base = static_cast<std::uint32_t>(at - from);
        std::size_t found = BitCount(mask);
        // Eight are written whatever the count (extra ones are overwritten later): real name
        // tables seldom hold more than eight candidates in 64 bytes.
        for (int i = 0; i < 8; ++i) {
            out[count + i] = base + static_cast<std::uint32_t>(std::countr_zero(mask));
            mask &= mask - 1;
        }
        for (std::size_t i = 8; i < found; ++i) {
            out[count + i] = base + static_cast<std::uint32_t>(std::countr_zero(mask));
            mask &= mask - 1;
        }
        count += found;
    }
#endif
    for (; at < to; ++at)
        if (first.Holds(bytes[at]) && second.Holds(bytes[at + 1]))
            out[count++] = static_cast<std::uint32_t>(at - from);
    return count;
}

inline std::size_t CollectCandidates(const std::uint8_t* bytes, std::size_t from, std::size_t to, ByteRange first,
                                     ByteRange second, std::uint32_t* out)
{
    static const CollectFunction wide = WideCollector();
    return wide ? wide(bytes, from, to, first, second, out)
                : CollectCandidatesNarrow(bytes, from, to, first, second, out);
}

}  // namespace detail

// Calls visit(p) for each p in [from, to), in increasing order, with bytes[p] in `first` and
// bytes[p + 1] in `second`. Bytes must be readable up to to + 16.
template <typename Visit>
void ForEachCandidate(const std::uint8_t* bytes, std::size_t from, std::size_t to, ByteRange first, ByteRange second,
                      Visit&& visit)
{
    std::uint32_t found[detail::kCandidateWindow + 64];
    for (std::size_t start = from; start < to; start += detail::kCandidateWindow) {
        std::size_t end = std::min(to, start + detail::kCandidateWindow);
        std::size_t count = detail::CollectCandidates(bytes, start, end, first, second, found);
        for (std::size_t i = 0; i < count; ++i)
            visit(start + found[i]);
    }
}

}  // namespace thld
