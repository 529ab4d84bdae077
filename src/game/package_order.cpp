#include "game/package_order.h"

#include <algorithm>
#include <numeric>
#include <string_view>

namespace thld {

namespace {

// Letters a to z and A to Z compare as their lower case, which puts "_" and the other signs
// between "Z" and "a" before every letter; any other byte compares as itself.
unsigned char Folded(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

int CompareNames(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char left = Folded(a[i]), right = Folded(b[i]);
        if (left != right)
            return left < right ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

template <typename T>
int Compare(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

InstalledCopy CopyOf(const std::vector<InstalledPackages::Found>& installed, std::size_t i)
{
    return installed.empty() ? InstalledCopy::None : installed[i].copy;
}

}  // namespace

int ComparePackages(PackageSortKey key, const PackageSortFields& left, const PackageSortFields& right)
{
    switch (key) {
    case PackageSortKey::Name:
        return CompareNames(left.name, right.name);
    case PackageSortKey::Kind:
        return Compare(left.kind, right.kind);
    case PackageSortKey::Size:
        return Compare(left.size, right.size);
    case PackageSortKey::Modified:
        return Compare(left.modified, right.modified);
    case PackageSortKey::Installed:
        return Compare(left.copy, right.copy);
    }
    return 0;
}

int ComparePackages(PackageSortKey key, const std::vector<PackageItem>& items,
                    const std::vector<InstalledPackages::Found>& installed, std::size_t a, std::size_t b)
{
    auto fields = [&](std::size_t i) {
        const PackageItem& item = items[i];
        return PackageSortFields{item.name, item.kind, item.size, item.modified, CopyOf(installed, i)};
    };
    return ComparePackages(key, fields(a), fields(b));
}

std::vector<std::size_t> SortedOrder(PackageSortKey key, SortDirection direction, const std::vector<PackageItem>& items,
                                     const std::vector<InstalledPackages::Found>& installed)
{
    std::vector<std::size_t> order(items.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const int sign = direction == SortDirection::Ascending ? 1 : -1;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return sign * ComparePackages(key, items, installed, a, b) < 0;
    });
    return order;
}

}  // namespace thld
