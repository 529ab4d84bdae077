#pragma once
// The length-prefixed names looked for in package files: one byte L + 1, then the name's L bytes.
// All of them are found in one pass over a file by asking, at each position, whether the bytes
// starting there form one of the patterns (the first byte tells how many bytes to look at).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

    // A quick test that may answer true for bytes that are no pattern, never false for one: `at`
    // must allow reading two bytes.
    bool MayStartAt(const std::uint8_t* at) const
    {
        unsigned pair = at[0] | (unsigned(at[1]) << 8);
        return (pairFilter_[pair >> 6] >> (pair & 63)) & 1;
    }
    // The number of the pattern that the at[0] bytes starting at `at` form, or kNone. All at[0]
    // bytes must be readable.
    std::size_t Find(const std::uint8_t* at) const;

private:
    struct Entry {
        std::uint32_t offset;  // of the pattern in bytes_
        std::uint32_t hash;
    };
    static std::uint64_t Hash(const std::uint8_t* pattern);
    void Grow();
    std::size_t Insert(std::uint64_t hash, std::size_t number);

    std::string bytes_;                    // every pattern, one after the other
    std::vector<Entry> entries_;
    std::vector<std::uint32_t> slots_;     // open addressing: pattern number + 1, 0 when empty
    std::vector<std::uint64_t> pairFilter_ = std::vector<std::uint64_t>(65536 / 64);
    std::size_t longest_ = 0;
};

}  // namespace thld
