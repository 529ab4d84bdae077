#pragma once
// The length-prefixed names looked for in package files: one byte L + 1, then the name's L bytes.
// All of them are found in one pass over a file by asking, at each position, whether the bytes
// starting there form one of the patterns (the first byte tells how many bytes to look at). Two
// sieves come first: the ranges of the patterns' first two bytes, and a bitmap of their first
// eight.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "package/byte_pair_sieve.h"

#if !defined(__GNUC__) && !defined(__clang__) && (defined(_M_X64) || defined(_M_IX86))
#include <xmmintrin.h>
#endif

namespace thld {

inline constexpr std::size_t kMaxPatternNameLength = 254;

class NamePatterns {
public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    // Adds the pattern of `name` and gives its number; a name added before gives the number it got
    // then. A name longer than 254 bytes is cut to its first 254. A name holding a zero byte can
    // never be found (a zero byte never matches) and gives kNone.
    std::size_t Add(std::string_view name);
    // Makes room for `count` patterns in all, so that adding them doesn't grow the tables step by step.
    void Reserve(std::size_t count);

    std::size_t Count() const { return offsets_.size(); }
    // The longest pattern's length in bytes (0 with no pattern).
    std::size_t LongestPattern() const { return longest_; }
    // Every pattern's first byte lies in LengthBytes(), and its second, if it has one, in
    // SecondBytes().
    ByteRange LengthBytes() const { return lengthBytes_; }
    ByteRange SecondBytes() const { return secondBytes_; }

    // A quick test that may answer true for bytes that are no pattern, never false for one: a bit
    // chosen by the first eight bytes (all of a shorter pattern's). Eight bytes from `at` must be
    // readable. One load and one bit test: it runs at nearly every name in a name table.
    class Filter {
    public:
        bool MayStartAt(const std::uint8_t* at) const
        {
            std::uint64_t bit = (Key(at) * 0x9E3779B97F4A7C15ull) >> shift_;
            return (words_[bit >> 6] >> (bit & 63)) & 1;
        }

    private:
        friend class NamePatterns;
        static std::uint64_t Key(const std::uint8_t* at) { return Load64(at) & kKeyMasks[at[0]]; }
        // Per length byte: the bytes of the key (the pattern's first eight, all of a shorter one's).
        // A table, as a computed mask costs more than the load.
        static constexpr std::array<std::uint64_t, 256> kKeyMasks = [] {
            std::array<std::uint64_t, 256> masks{};
            for (std::size_t length = 0; length < masks.size(); ++length)
                masks[length] = length >= 8 ? ~std::uint64_t(0) : (std::uint64_t(1) << (8 * length)) - 1;
            return masks;
        }();
        const std::uint64_t* words_ = nullptr;
        unsigned shift_ = 0;  // the product's top bits, which depend on all eight bytes, give the bit
    };
    Filter GetFilter() const
    {
        Filter filter;
        filter.words_ = filter_.data();
        filter.shift_ = 64 - static_cast<unsigned>(std::countr_zero(filter_.size() * 64));
        return filter;
    }
    // The number of the pattern that the at[0] bytes starting at `at` form, or kNone. All at[0]
    // bytes must be readable.
    std::size_t Find(const std::uint8_t* at) const { return Find(at, HashAt(at)); }
    // The same in two steps, so that the table's memory for many positions can be fetched at
    // once: HashAt and Prefetch for each, then Find with the hash for each.
    std::uint32_t HashAt(const std::uint8_t* at) const { return at[0] == 0 ? 0 : static_cast<std::uint32_t>(Hash(at)); }
    void Prefetch(std::uint32_t hash) const
    {
        if (slots_.empty())
            return;
        const void* slot = &slots_[hash & (slots_.size() - 1)];
#if defined(__GNUC__) || defined(__clang__)
        __builtin_prefetch(slot);
#elif defined(_M_X64) || defined(_M_IX86)
        _mm_prefetch(static_cast<const char*>(slot), _MM_HINT_T0);
#else
        (void)slot;  // only a hint: without it the lookups are a little slower, never different
#endif
    }
    std::size_t Find(const std::uint8_t* at, std::uint32_t hash) const;

private:
    // A slot of the table holds a pattern's number and its hash's low half, so that a position
    // that is no pattern is mostly turned away by the slot alone.
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t numberPlusOne = 0;  // 0 when empty
    };
    static std::uint64_t Load64(const std::uint8_t* at)
    {
        std::uint64_t value;
        std::memcpy(&value, at, sizeof value);
        return value;
    }
    static std::uint64_t Hash(const std::uint8_t* pattern);
    void Rebuild(std::size_t room = 0);  // tables for at least `room` patterns
    void Insert(std::size_t number, std::uint32_t hash);

    std::string bytes_;                                                   // every pattern, one after the other
    std::vector<std::uint32_t> offsets_;                                  // per pattern: where it starts in bytes_
    std::vector<Slot> slots_;                                             // open addressing
    std::vector<std::uint64_t> filter_ = std::vector<std::uint64_t>(64);  // a power of two in size
    ByteRange lengthBytes_{255, 0};                                       // empty until the first pattern
    ByteRange secondBytes_{255, 0};
    std::size_t longest_ = 0;
};

}  // namespace thld
