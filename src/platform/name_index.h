#pragma once
// Names looked up in constant time: an open-addressed table of the numbers of names kept elsewhere
// (the owner tells the name of a number), eight bytes a slot. For the listing's tens of thousands
// of file and package names, where a tree or a sorted list would cost a dozen compares, each a wait
// for memory, per lookup.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace thld {

class NameIndex {
public:
    enum class Letters {
        Exact,         // names are equal byte for byte
        IgnoringCase,  // names are equal once their letters a to z are upper-cased
    };
    // The name of a number added; its bytes must stay put while the index is used.
    using NameOf = std::function<std::string_view(std::uint32_t number)>;
    explicit NameIndex(Letters letters, NameOf nameOf) : letters_(letters), nameOf_(std::move(nameOf)) {}

    void Reserve(std::size_t names);
    // Adds the number's name unless an equal name is there; gives the number that name has in the
    // index (`number`, or the one added before).
    std::uint32_t Add(std::uint32_t number);
    // The number of a name equal to `name`; nothing when the index holds none.
    std::optional<std::uint32_t> Find(std::string_view name) const;
    std::size_t size() const { return count_; }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t numberAndOne = 0;  // 0: an empty slot
    };
    std::uint32_t Hash(std::string_view name) const;
    bool Equal(std::string_view a, std::string_view b) const;
    void Grow(std::size_t slots);

    Letters letters_;
    NameOf nameOf_;
    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};

}  // namespace thld
