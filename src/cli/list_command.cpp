// tallyhold list: the cache with each package's kind, size and requirements, and the total.
#include <algorithm>
#include <chrono>

#include "cache/cached_file.h"
#include "cli/cache_view.h"
#include "cli/commands.h"
#include "cli/game_cache.h"
#include "platform/code_page.h"
#include "platform/folder.h"

namespace thld::cli {

std::vector<std::size_t> SortedOrder(const std::vector<PackageItem>& items, const std::string& sort)
{
    std::vector<std::size_t> order(items.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    auto by = [&](auto key) {
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
    };
    if (sort == "name") {
        std::vector<std::string> upper;
        upper.reserve(items.size());
        for (const PackageItem& item : items)
            upper.push_back(UpperAsciiText(item.name));
        by([&](std::size_t i) -> const std::string& { return upper[i]; });
    } else if (sort == "kind") {
        by([&](std::size_t i) { return items[i].kind; });
    } else if (sort == "size") {
        by([&](std::size_t i) { return ~items[i].size; });
    } else if (sort == "age") {
        by([&](std::size_t i) { return items[i].modified; });
    }
    return order;
}

const char* CopyWord(InstalledCopy copy)
{
    switch (copy) {
    case InstalledCopy::Identical:
        return "identical";
    case InstalledCopy::Different:
        return "different";
    case InstalledCopy::None:
        return "";
    }
    return "";
}

int ListCommand(const Options& options, Console& console)
{
    CacheView view;
    view.installation = FindGame(options.folders, false);
    view.listing = ReadCache(view.installation, console, true);
    view.order = SortedOrder(view.listing.items, options.sort);
    const GameFolders& folders = view.installation.folders;
    if (!folders.gameFolder.empty() && IsFolder(folders.gameFolder)) {
        const InstalledPackages installed(folders.gameFolder);
        view.installed.reserve(view.listing.items.size());
        for (const PackageItem& item : view.listing.items)
            view.installed.push_back(installed.Check(item, CachedFilePath(folders.cacheFolder, item.key)));
    }
    view.now =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
    if (options.json)
        PrintJson(view, console);
    else
        PrintTable(view, options.bytes, console);
    return kExitDone;
}

}  // namespace thld::cli
