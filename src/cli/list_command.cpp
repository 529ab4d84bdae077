// tallyhold list: the cache with each package's kind, size and requirements, and the total; or,
// with --names, only the names, quickly, for shell completion.
#include <chrono>

#include "cache/index_file.h"
#include "cache/index_lookup.h"
#include "cli/cache_view.h"
#include "cli/commands.h"
#include "cli/game_cache.h"
#include "cli/terminal_text.h"
#include "commands/messages.h"
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

namespace {

// The names alone, one a line, for shell completion: cache.ini is read, and nothing else.
int ListNames(const Options& options, Console& console)
{
    const Installation installation = FindGame(options.folders, false, console);
    const std::string& cacheFolder = installation.folders.cacheFolder;
    const std::optional<std::vector<std::string>> names = IndexNames(cacheFolder);
    if (!names)
        throw Failure(messages::ReadError(IndexPathOf(cacheFolder)));
    std::string lines;
    for (const std::string& name : *names)
        lines += PrintableText(name) + '\n';
    console.Out(lines);
    return kExitDone;
}

}  // namespace

int ListCommand(const Options& options, Console& console)
{
    if (options.namesOnly)
        return ListNames(options, console);
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
