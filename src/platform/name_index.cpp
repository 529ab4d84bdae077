#include "platform/name_index.h"

#include "platform/code_page.h"

namespace thld {

std::uint32_t NameIndex::Hash(std::string_view name) const
{
    std::uint64_t hash = 14695981039346656037ULL;  // FNV-1a
    for (char c : name) {
        hash ^= static_cast<unsigned char>(letters_ == Letters::Exact ? c : UpperAscii(c));
        hash *= 1099511628211ULL;
    }
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

bool NameIndex::Equal(std::string_view a, std::string_view b) const
{
    return letters_ == Letters::Exact ? a == b : EqualIgnoringAsciiCase(a, b);
}

void NameIndex::Reserve(std::size_t names)
{
    std::size_t slots = 16;
    while (slots < 2 * names)
        slots *= 2;
    if (slots > slots_.size())
        Grow(slots);
}

void NameIndex::Grow(std::size_t slots)
{
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(slots, Slot{});
    const std::size_t mask = slots - 1;
    for (const Slot& slot : old) {
        if (slot.numberAndOne == 0)
            continue;
        std::size_t at = slot.hash & mask;
        while (slots_[at].numberAndOne != 0)
            at = (at + 1) & mask;
        slots_[at] = slot;
    }
}

std::uint32_t NameIndex::Add(std::uint32_t number)
{
    if (2 * (count_ + 1) > slots_.size())
        Grow(slots_.empty() ? 16 : 2 * slots_.size());
    const std::string_view name = nameOf_(number);
    const std::uint32_t hash = Hash(name);
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = hash & mask;
    for (; slots_[at].numberAndOne != 0; at = (at + 1) & mask)
        if (slots_[at].hash == hash && Equal(nameOf_(slots_[at].numberAndOne - 1), name))
            return slots_[at].numberAndOne - 1;
    slots_[at] = Slot{hash, number + 1};
    ++count_;
    return number;
}

std::optional<std::uint32_t> NameIndex::Find(std::string_view name) const
{
    if (slots_.empty())
        return std::nullopt;
    const std::uint32_t hash = Hash(name);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask; slots_[at].numberAndOne != 0; at = (at + 1) & mask)
        if (slots_[at].hash == hash && Equal(nameOf_(slots_[at].numberAndOne - 1), name))
            return slots_[at].numberAndOne - 1;
    return std::nullopt;
}

}  // namespace thld
