#pragma once
// What a package says of itself that the listing keeps: its file version, its GUID and the packages
// its import table imports, which is what the game loads before it. Read from the header, the name
// table and the import table, each within the file's bounds and in few reads; a file whose tables
// can't be read is told apart from one that is no package and from a stub that names nothing, so
// that the caller can fall back on searching its bytes for names.

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/file.h"

namespace thld {

// A package's GUID: its four 32-bit numbers.
struct PackageGuid {
    std::array<std::uint32_t, 4> parts{};
    // As the cache names a file by it: 32 upper-case hex digits.
    std::string Text() const;
    bool operator==(const PackageGuid&) const = default;
};

// A few names in one allocation, in the order added: what a listing of 100,000 packages keeps of
// each package's imports. Names hold no NUL (the name table ends them there).
class NameList {
public:
    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;
        Iterator() = default;
        explicit Iterator(const char* at) : at_(at) {}
        std::string_view operator*() const { return at_; }
        Iterator& operator++()
        {
            at_ += std::string_view(at_).size() + 1;
            return *this;
        }
        bool operator==(const Iterator&) const = default;

    private:
        const char* at_ = nullptr;
    };

    NameList() = default;
    NameList(std::initializer_list<std::string_view> names)
    {
        for (std::string_view name : names)
            Add(name);
    }
    // Adds the name unless one equal to it once the letters a to z are upper-cased is there.
    void Add(std::string_view name);
    // Adds a name known to differ from those there (as a list read back from a memo), at once.
    void AddNew(std::string_view name);
    bool Contains(std::string_view name) const;  // without regard to ASCII case
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    Iterator begin() const { return Iterator(joined_.data()); }
    Iterator end() const { return Iterator(joined_.data() + joined_.size()); }
    std::vector<std::string> ToVector() const
    {
        std::vector<std::string> names;
        for (std::string_view name : *this)
            names.emplace_back(name);
        return names;
    }
    bool operator==(const NameList&) const = default;

private:
    std::string joined_;  // each name followed by a NUL
    std::uint32_t count_ = 0;
};

// How far a package's tables could be read.
enum class PackageTables : std::uint8_t {
    NotRead,      // nothing was read of it (no file, or not asked)
    Read,         // header, name table and import table read whole
    NotAPackage,  // no package tag at its start
    NoNames,      // a package whose name table is empty: a stub that names nothing
    Damaged,      // a package whose header, name table or import table the file can't hold
};

struct PackageSummary {
    PackageTables tables = PackageTables::NotRead;
    std::uint16_t fileVersion = 0;
    std::optional<PackageGuid> guid;  // from the header (older versions: their GUID table's last)
    // The packages it imports: the imports with no outer whose class is "Package" (in any case),
    // each once, in table order, in the program's text. Empty unless the tables were read.
    NameList imports;
    bool operator==(const PackageSummary&) const = default;
};

// Reads summaries of many files, keeping its buffers from one file to the next.
class SummaryReader {
public:
    // The most bytes a name table or an import table is read to: far more than any real package's.
    static constexpr std::uint64_t kMostTableBytes = 64u << 20;

    // The summary of `file`, whose first `got` bytes are at `head` already (fewer than the header
    // are read again). Reads the name table on from the head where it lies there, then the import
    // table in one read. A failed read raises FileError.
    PackageSummary Read(const InputFile& file, const std::uint8_t* head, std::size_t got);
    // The same, reading the head too.
    PackageSummary Read(const InputFile& file);

private:
    std::vector<std::uint8_t> header_, names_, imports_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> nameSpans_;  // offset and length in names_
};

// The summary of the package file at `path`, through one unshared open; nothing when it can't be
// opened. A read that fails after the open raises FileError.
std::optional<PackageSummary> ReadPackageSummary(const std::string& path);

}  // namespace thld
