#include "package/name_patterns.h"

#include <algorithm>
#include <cstring>

namespace thld {

namespace {

// At least sixteen filter bits per pattern, one of them set: about one in a hundred of the
// positions that are no pattern passes, and ten thousand patterns take 32 KiB.
constexpr std::size_t kFilterBitsPerPattern = 16;

std::uint64_t Mix(std::uint64_t value)
{
    value ^= value >> 29;
    value *= 0xBF58476D1CE4E5B9ull;
    value ^= value >> 32;
    return value;
}

}  // namespace

std::uint64_t NamePatterns::Hash(const std::uint8_t* pattern)
{
    std::size_t length = pattern[0];
    if (length >= 8)
        return Mix(Load64(pattern) ^ (Load64(pattern + length - 8) * 0x9E3779B97F4A7C15ull));
    std::uint8_t bytes[8] = {};
    std::memcpy(bytes, pattern, length);
    return Mix(Load64(bytes));
}

std::size_t NamePatterns::Add(std::string_view name)
{
    if (name.size() > kMaxPatternNameLength)
        name = name.substr(0, kMaxPatternNameLength);
    if (name.find('\0') != std::string_view::npos)
        return kNone;

    // The pattern, and seven zeros after it: the filter reads eight bytes. On the stack, as a
    // listing adds every name of cache.ini.
    std::array<std::uint8_t, 1 + kMaxPatternNameLength + 7> pattern;
    pattern[0] = static_cast<std::uint8_t>(name.size() + 1);
    std::memcpy(pattern.data() + 1, name.data(), name.size());
    std::memset(pattern.data() + 1 + name.size(), 0, 7);
    const std::uint8_t* start = pattern.data();
    if (std::size_t found = Find(start); found != kNone)
        return found;

    std::size_t number = offsets_.size();
    offsets_.push_back(static_cast<std::uint32_t>(bytes_.size()));
    bytes_.append(reinterpret_cast<const char*>(start), name.size() + 1);
    longest_ = std::max(longest_, name.size() + 1);
    lengthBytes_.low = std::min(lengthBytes_.low, start[0]);
    lengthBytes_.high = std::max(lengthBytes_.high, start[0]);
    if (name.empty()) {
        secondBytes_ = {0, 255};  // a lone length byte: any byte may follow
    } else {
        secondBytes_.low = std::min(secondBytes_.low, start[1]);
        secondBytes_.high = std::max(secondBytes_.high, start[1]);
    }

    // Enough slots for a load of at most one half, and a filter with few false hits that still
    // fits the processor's first-level cache for thousands of names.
    if (Count() * 2 > slots_.size() || Count() * kFilterBitsPerPattern > filter_.size() * 64) {
        Rebuild();
    } else {
        Insert(number, static_cast<std::uint32_t>(Hash(start)));
    }
    return number;
}

void NamePatterns::Reserve(std::size_t count)
{
    if (count * 2 > slots_.size() || count * kFilterBitsPerPattern > filter_.size() * 64)
        Rebuild(count);
    offsets_.reserve(count);
}

void NamePatterns::Rebuild(std::size_t room)
{
    room = std::max(room, Count());
    std::size_t size = 16;
    while (room * 2 > size)
        size *= 2;
    slots_.assign(size, Slot{});
    std::size_t words = filter_.size();
    while (room * kFilterBitsPerPattern > words * 64)
        words *= 2;
    filter_.assign(words, 0);
    const auto* stored = reinterpret_cast<const std::uint8_t*>(bytes_.data());
    for (std::size_t i = 0; i < Count(); ++i)
        Insert(i, static_cast<std::uint32_t>(Hash(stored + offsets_[i])));
}

void NamePatterns::Insert(std::size_t number, std::uint32_t hash)
{
    const auto* pattern = reinterpret_cast<const std::uint8_t*>(bytes_.data()) + offsets_[number];
    std::size_t mask = slots_.size() - 1;
    std::size_t slot = hash & mask;
    while (slots_[slot].numberPlusOne != 0)
        slot = (slot + 1) & mask;
    slots_[slot] = {hash, static_cast<std::uint32_t>(number + 1)};
    // The filter reads eight bytes: the pattern is copied out with zeros after it.
    std::uint8_t head[8] = {};
    std::memcpy(head, pattern, std::min<std::size_t>(pattern[0], 8));
    std::uint64_t bit = (Filter::Key(head) * 0x9E3779B97F4A7C15ull) >> GetFilter().shift_;
    filter_[bit >> 6] |= std::uint64_t(1) << (bit & 63);
}

std::size_t NamePatterns::Find(const std::uint8_t* at, std::uint32_t hash) const
{
    if (slots_.empty() || at[0] == 0)
        return kNone;
    std::size_t mask = slots_.size() - 1;
    const auto* stored = reinterpret_cast<const std::uint8_t*>(bytes_.data());
    for (std::size_t slot = hash & mask; slots_[slot].numberPlusOne != 0; slot = (slot + 1) & mask) {
        const Slot& s = slots_[slot];
        if (s.hash == hash && std::memcmp(stored + offsets_[s.numberPlusOne - 1], at, at[0]) == 0)
            return s.numberPlusOne - 1;
    }
    return kNone;
}

}  // namespace thld
