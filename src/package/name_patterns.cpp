#include "package/name_patterns.h"

#include <cstring>

namespace thld {

namespace {

std::uint64_t Load64(const std::uint8_t* at)
{
    std::uint64_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

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

    std::string pattern(1, static_cast<char>(name.size() + 1));
    pattern += name;
    const auto* start = reinterpret_cast<const std::uint8_t*>(pattern.data());
    if (std::size_t found = Find(start); found != kNone)
        return found;

    std::uint64_t hash = Hash(start);
    std::size_t number = entries_.size();
    entries_.push_back({static_cast<std::uint32_t>(bytes_.size()), static_cast<std::uint32_t>(hash)});
    bytes_ += pattern;
    if (longest_ < name.size() + 1)
        longest_ = name.size() + 1;

    // The filter keeps the pattern's first two bytes; the pattern of the empty name is its length
    // byte alone, so with it every second byte passes.
    unsigned firstByte = start[0];
    for (unsigned second = 0; second < 256; ++second) {
        if (name.empty() || second == start[1]) {
            unsigned pair = firstByte | (second << 8);
            pairFilter_[pair >> 6] |= std::uint64_t(1) << (pair & 63);
        }
    }

    if ((entries_.size()) * 2 > slots_.size())
        Grow();
    else
        Insert(hash, number);
    return number;
}

void NamePatterns::Grow()
{
    std::size_t size = slots_.empty() ? 16 : slots_.size() * 2;
    while (entries_.size() * 2 > size)
        size *= 2;
    slots_.assign(size, 0);
    for (std::size_t i = 0; i < entries_.size(); ++i)
        Insert(Hash(reinterpret_cast<const std::uint8_t*>(bytes_.data()) + entries_[i].offset), i);
}

std::size_t NamePatterns::Insert(std::uint64_t hash, std::size_t number)
{
    std::size_t mask = slots_.size() - 1;
    std::size_t slot = hash & mask;
    while (slots_[slot] != 0)
        slot = (slot + 1) & mask;
    slots_[slot] = static_cast<std::uint32_t>(number + 1);
    return slot;
}

std::size_t NamePatterns::Find(const std::uint8_t* at) const
{
    if (slots_.empty() || at[0] == 0)
        return kNone;
    std::uint64_t hash = Hash(at);
    std::size_t mask = slots_.size() - 1;
    const auto* stored = reinterpret_cast<const std::uint8_t*>(bytes_.data());
    for (std::size_t slot = hash & mask; slots_[slot] != 0; slot = (slot + 1) & mask) {
        const Entry& entry = entries_[slots_[slot] - 1];
        if (entry.hash == static_cast<std::uint32_t>(hash) &&
            std::memcmp(stored + entry.offset, at, at[0]) == 0)
            return slots_[slot] - 1;
    }
    return kNone;
}

}  // namespace thld
