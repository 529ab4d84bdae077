#pragma once
// Names looked up in constant time: an open-addressed table of views of names kept elsewhere,
// each with a number. For the listing's tens of thousands of file and package names, where a tree
// or a sorted list would cost a dozen compares, each a wait for memory, per lookup.

#include <cstddef>
#include <cstdint>
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
    explicit NameIndex(Letters letters = Letters::Exact) : letters_(letters) {}

    void Reserve(std::size_t names);
    // Adds the name (a view of bytes that outlive the index) with its number, unless an equal name
    // is there: then nothing is added. Gives the number the name has in the index.
    std::uint32_t Add(std::string_view name, std::uint32_t number);
    // The number of the name; nothing when the index holds no equal name.
    std::optional<std::uint32_t> Find(std::string_view name) const;
    std::size_t size() const { return count_; }

private:
    struct Slot {
        std::string_view name;
        std::uint64_t hash = 0;
        std::uint32_t number = 0;
        bool used = false;
    };
    std::uint64_t Hash(std::string_view name) const;
    bool Equal(std::string_view a, std::string_view b) const;
    void Grow(std::size_t slots);

    Letters letters_;
    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};

}  // namespace thld
