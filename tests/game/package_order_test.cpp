#include "game/package_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace thld {
namespace {

TEST(PackageOrder, EachKeyEitherWayWithTiesInFileOrder)
{
    auto item = [](std::string name, PackageKind kind, std::uint64_t size, std::int64_t modified) {
        PackageItem p;
        p.name = std::move(name);
        p.kind = kind;
        p.size = size;
        p.modified = modified;
        return p;
    };
    const std::vector<PackageItem> items = {
        item("beta.u", kind::Script, 300, 20),
        item("Alpha.unr", kind::Map, 100, 30),
        item("A_Z.utx", kind::Textures, 100, 10),
        item("alpha.unr", kind::Map, 200, 20),
    };
    const std::vector<InstalledPackages::Found> installed = {
        {InstalledCopy::Different, "x"}, {}, {InstalledCopy::Identical, "y"}, {}};
    struct Case {
        PackageSortKey key;
        SortDirection direction;
        std::vector<std::size_t> order;
    };
    using enum PackageSortKey;
    constexpr SortDirection up = SortDirection::Ascending, down = SortDirection::Descending;
    for (const Case& c : std::vector<Case>{
             {Name, up, {2, 1, 3, 0}},  // "_" before every letter; case aside, ties in file order
             {Name, down, {0, 1, 3, 2}},
             {Kind, up, {1, 3, 0, 2}},
             {Size, up, {1, 2, 3, 0}},
             {Size, down, {0, 3, 1, 2}},
             {Modified, up, {2, 0, 3, 1}},
             {Installed, up, {1, 3, 2, 0}},
             {Installed, down, {0, 2, 1, 3}},
         }) {
        EXPECT_EQ(SortedOrder(c.key, c.direction, items, installed), c.order)
            << static_cast<int>(c.key) << " " << static_cast<int>(c.direction);
    }
    EXPECT_EQ(SortedOrder(Installed, up, items, {}), (std::vector<std::size_t>{0, 1, 2, 3}));
}

}  // namespace
}  // namespace thld
