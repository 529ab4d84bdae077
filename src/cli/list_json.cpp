// The cache as one JSON object for scripts; its schema is in the README.
#include <nlohmann/json.hpp>

#include "cache/index_text.h"
#include "cli/cache_view.h"
#include "cli/terminal_text.h"
#include "commands/messages.h"

namespace thld::cli {

namespace {

// Keys in the order written, as the README documents them.
using json = nlohmann::ordered_json;

// Folders and names as UTF-8, whatever bytes they hold.
json Folder(const std::string& path, const std::string& source)
{
    return {{"path", path.empty() ? json(nullptr) : json(Utf8Text(path))}, {"source", Utf8Text(source)}};
}

json Package(const PackageItem& item, const InstalledPackages::Found* installed)
{
    json required = json::array();
    for (const std::string& requirement : item.requirements)
        required.push_back(Utf8Text(requirement));
    json package = {
        {"name", Utf8Text(item.name)},
        {"package", Utf8Text(PackageNameIn(item.name))},
        {"key", Utf8Text(item.key)},
        {"kind", std::string(item.kind)},
        {"bytes", item.size},
        {"size", item.sizeText},
        {"modified", item.modified},
        {"modified_utc", UtcText(item.modified)},
        {"requires", std::move(required)},
        {"installed", nullptr},
    };
    if (installed) {
        package["installed"] = {
            {"copy", installed->copy == InstalledCopy::None ? "none" : CopyWord(installed->copy)},
            {"path", installed->path.empty() ? json(nullptr) : json(Utf8Text(installed->path))},
        };
    }
    return package;
}

}  // namespace

void PrintJson(const CacheView& view, Console& console)
{
    const Installation& installation = view.installation;
    const std::vector<PackageItem>& items = view.listing.items;
    json packages = json::array();
    for (std::size_t i : view.order)
        packages.push_back(Package(items[i], view.installed.empty() ? nullptr : &view.installed[i]));
    const json document = {
        {"schema", 1},
        {"game_folder", Folder(installation.folders.gameFolder, installation.gameSource)},
        {"cache_folder", Folder(installation.folders.cacheFolder, installation.cacheSource)},
        {"index", Utf8Text(view.listing.indexPath)},
        {"packages", std::move(packages)},
        {"total", {{"packages", items.size()}, {"bytes", view.listing.total}, {"text", messages::TotalCache(view.listing.total)}}},
    };
    console.Out(document.dump(2, ' ', false, json::error_handler_t::replace) + "\n");
}

}  // namespace thld::cli
