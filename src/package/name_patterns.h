#pragma once
// The length-prefixed names looked for in package files: one byte L + 1, then the name's L bytes.
// All of them are found in one pass over a file by asking, at each position, whether the bytes
// starting there form one of the patterns (the first byte tells how many bytes to look at). Two
// sieves come first: the ranges of the patterns' first two bytes, and a bitmap of their first
// eight.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "package/candidate_scan.h"

namespace thld {

inline constexpr std::size_t kMaxPatternNameLength = 254;

class NamePatterns {
public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    // Adds the pattern of `name` and gives its number; a name added before gives the number it got
    // then. A name longer than 254 bytes is cut to its first 254. A name holding a zero byte can
    // never be found (a zero byte never matches) and gives kNone.
    std::size_t Add(std::string_view name);

    std::size_t Count() const { return entries_.size(); }
    // The longest pattern's length in bytes (0 with no pattern).
    std::size_t LongestPattern() const { return longest_; }
    // Every pattern's first byte lies in LengthBytes(), and its second, if it has one, in
    // SecondBytes().
    ByteRange LengthBytes() const { return lengthBytes_; }
    ByteRange SecondBytes() const { return secondBytes_; }

    // A quick test that may answer true for bytes that are no pattern, never false for one. Eight
    // bytes from `at`, and all at[0] bytes, must be readable.
    bool MayStartAt(const std::uint8_t* at) const
    {
        std::uint32_t bit = FilterBit(at);
        return (filter_[bit >> 6] >> (bit & 63)) & 1;
    }
    // The number of the pattern that the at[0] bytes starting at `at` form, or kNone. All at[0]
    // bytes must be readable.
    std::size_t Find(const std::uint8_t* at) const;

private:
    struct Entry {
        std::uint32_t offset;  // of the pattern in bytes_
        std::uint32_t hash;
    };
    // The filter looks at a pattern's first eight bytes, or all of a shorter one's: one load,
    // whatever the length.
    static std::uint64_t Load64(const std::uint8_t* at)
    {
        std::uint64_t value;
        std::memcpy(&value, at, sizeof value);
        return value;
    }
    std::uint32_t FilterBit(const std::uint8_t* at) const
    {
        std::uint64_t bytes = Load64(at);
        std::uint32_t length = static_cast<std::uint8_t>(bytes);
        std::uint64_t keep = length >= 8 ? ~std::uint64_t(0) : (std::uint64_t(1) << (8 * length)) - 1;
        std::uint64_t key = (bytes & keep) * 0x9E3779B97F4A7C15ull;
        return static_cast<std::uint32_t>(key >> (64 - filterBits_));
    }
    static std::uint64_t Hash(const std::uint8_t* pattern);
    void Rebuild();
    void Insert(std::size_t number);

    std::string bytes_;                    // every pattern, one after the other
    std::vector<Entry> entries_;
    std::vector<std::uint32_t> slots_;     // open addressing: pattern number + 1, 0 when empty
    unsigned filterBits_ = 12;
    std::vector<std::uint64_t> filter_ = std::vector<std::uint64_t>((1u << 12) / 64);
    ByteRange lengthBytes_{255, 0};        // empty until the first pattern
    ByteRange secondBytes_{255, 0};
    std::size_t longest_ = 0;
};

}  // namespace thld
