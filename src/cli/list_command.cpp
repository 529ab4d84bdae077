// tallyhold list: the cache with each package's kind, size and requirements, and the total.
#include <chrono>

#include "cli/cache_view.h"
#include "cli/commands.h"
#include "cli/game_cache.h"
#include "game/package_order.h"

namespace thld::cli {

std::vector<std::size_t> SortedOrder(const CacheView& view, const std::string& sort)
{
    struct Order {
        const char* word;
        PackageSortKey key;
        SortDirection direction;
    };
    static constexpr Order kOrders[] = {
        {"name", PackageSortKey::Name, SortDirection::Ascending},
        {"kind", PackageSortKey::Kind, SortDirection::Ascending},
        {"size", PackageSortKey::Size, SortDirection::Descending},
        {"age", PackageSortKey::Modified, SortDirection::Ascending},
    };
    for (const Order& order : kOrders)
        if (sort == order.word)
            return thld::SortedOrder(order.key, order.direction, view.listing.items, view.installed);
    std::vector<std::size_t> fileOrder(view.listing.items.size());
    for (std::size_t i = 0; i < fileOrder.size(); ++i)
        fileOrder[i] = i;
    return fileOrder;
}

int ListCommand(const Options& options, Console& console)
{
    CacheView view;
    view.installation = FindGame(options.folders, false, console);
    CacheContents contents = ReadCache(view.installation, console, InstalledCopies::Check);
    view.listing = std::move(contents.listing);
    view.installed = std::move(contents.installed);
    view.order = SortedOrder(view, options.sort);
    for (const InstalledPackages::Found& found : view.installed)
        if (found.notRegularFile)
            TellNotRegularFile(console, found.path);
    view.now =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
    if (options.json)
        PrintJson(view, console);
    else
        PrintTable(view, options.bytes, console);
    return kExitDone;
}

}  // namespace thld::cli
