#pragma once
// The orders in which a listing's packages can be shown: by name, kind, size, time or installed
// copy, either way round, ties always in cache.ini's order. Every program sorts through these.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "cache/package_item.h"
#include "game/installed_packages.h"

namespace thld {

enum class PackageSortKey {
    Name,       // the names, without regard to the case of a to z
    Kind,       // the kinds' texts
    Size,       // bytes, smallest first
    Modified,   // when the cached file was last written, oldest first
    Installed,  // no copy, an identical one, a different one
};

enum class SortDirection {
    Ascending,
    Descending,
};

// How items[a] compares with items[b] by `key` in ascending order: below 0 when it goes first,
// above 0 when it goes after, 0 when the key can't tell them apart. `installed` is one per item,
// or empty (every copy then counts as none).
int ComparePackages(PackageSortKey key, const std::vector<PackageItem>& items,
                    const std::vector<InstalledPackages::Found>& installed, std::size_t a, std::size_t b);

// What the orders look at of one package, for rows that are not items yet.
struct PackageSortFields {
    std::string_view name;
    PackageKind kind;
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    InstalledCopy copy = InstalledCopy::None;
};
// The same comparison of two such packages.
int ComparePackages(PackageSortKey key, const PackageSortFields& left, const PackageSortFields& right);

// The items' positions in the order of `key` and `direction`; ties stay in file order either way.
std::vector<std::size_t> SortedOrder(PackageSortKey key, SortDirection direction, const std::vector<PackageItem>& items,
                                     const std::vector<InstalledPackages::Found>& installed);

}  // namespace thld
