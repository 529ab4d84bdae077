#include "game/offline_check.h"

#include <algorithm>
#include <deque>

#include "cache/index_text.h"
#include "package/package_summary.h"
#include "platform/code_page.h"
#include "platform/path_parts.h"

namespace thld {

struct OfflineCheck::Node {
    std::string shown;       // the item's text, or the installed file's name
    std::string_view name;   // the package's name, which it never requires
    bool installed = false;  // an installed file, whose tables are read when it is first met
    std::string path;        // the installed file
    bool readable = false;   // its tables were read
    NameList imports;        // an installed file's imports
    bool expanded = false;
    std::vector<std::uint32_t> next;   // the packages the game loads for its imports
    std::vector<std::string> missing;  // its imports found nowhere, in table order
};

OfflineCheck::OfflineCheck(const GameFolders& folders, const std::vector<PackageItem>& items)
    : folders_(folders), items_(items)
{}

OfflineCheck::~OfflineCheck() = default;

void OfflineCheck::Gather() const
{
    if (game_)
        return;
    game_.emplace(folders_.gameFolder);
    nodes_.reserve(items_.size());
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const PackageItem& item = items_[i];
        auto node = std::make_unique<Node>();
        node->shown = item.name;
        node->name = PackageNameIn(item.name);
        node->readable = item.summary.tables == PackageTables::Read;
        nodes_.push_back(std::move(node));
        // A line whose key names no file of the cache (listed all the same, unread) gives the game
        // no package.
        if (!item.name.empty() && item.kind != kind::Unknown)
            cachedByName_[UpperAsciiText(PackageNameIn(item.name))].push_back(static_cast<std::uint32_t>(i));
    }
    seen_.assign(nodes_.size(), 0);
}

std::uint32_t OfflineCheck::InstalledNode(const std::string& path) const
{
    auto known = installedByPath_.find(path);
    if (known != installedByPath_.end())
        return known->second;
    auto node = std::make_unique<Node>();
    node->installed = true;
    node->path = path;
    node->shown = FileNameOf(path);
    node->name = PackageNameIn(node->shown);
    const auto number = static_cast<std::uint32_t>(nodes_.size());
    nodes_.push_back(std::move(node));
    seen_.push_back(0);
    installedByPath_.emplace(path, number);
    return number;
}

bool OfflineCheck::Expand(std::uint32_t number, const std::function<bool()>& stopped) const
{
    Node* node = nodes_[number].get();
    if (node->expanded)
        return true;
    if (node->installed) {
        if (stopped && stopped())
            return false;
        try {
            if (std::optional<PackageSummary> summary = ReadPackageSummary(node->path)) {
                node->readable = summary->tables == PackageTables::Read;
                node->imports = std::move(summary->imports);
            }
        } catch (const FileError&) {}
        node = nodes_[number].get();
    }
    const NameList& imports = node->installed ? node->imports : items_[number].summary.imports;
    for (std::string_view import : imports) {
        if (EqualIgnoringAsciiCase(import, node->name))
            continue;
        bool found = false;
        if (std::optional<std::string> path = game_->Find(import)) {
            const std::uint32_t installed = InstalledNode(*path);
            node = nodes_[number].get();
            node->next.push_back(installed);
            found = true;
        }
        if (auto cached = cachedByName_.find(UpperAsciiText(import)); cached != cachedByName_.end()) {
            node->next.insert(node->next.end(), cached->second.begin(), cached->second.end());
            found = true;
        }
        if (!found)
            node->missing.emplace_back(import);
    }
    node->expanded = true;
    return true;
}

std::optional<std::vector<MissingImport>> OfflineCheck::Missing(std::size_t item) const { return Missing(item, {}); }

std::optional<std::vector<MissingImport>> OfflineCheck::Missing(std::size_t item,
                                                                const std::function<bool()>& stopped) const
{
    if (folders_.gameFolder.empty() || item >= items_.size())
        return std::nullopt;  // nothing can be told
    const std::lock_guard lock(mutex_);
    Gather();
    if (!nodes_[item]->readable)
        return std::nullopt;
    ++answer_;
    std::vector<MissingImport> missing;
    std::deque<std::uint32_t> next{static_cast<std::uint32_t>(item)};
    seen_[item] = answer_;
    while (!next.empty()) {
        const std::uint32_t at = next.front();
        next.pop_front();
        if (!Expand(at, stopped))
            return std::nullopt;
        const Node& node = *nodes_[at];
        for (const std::string& package : node.missing)
            if (std::none_of(missing.begin(), missing.end(), [&](const MissingImport& known) {
                    return EqualIgnoringAsciiCase(known.package, package);
                }))
                missing.push_back({package, at == item ? std::string() : node.shown});
        for (std::uint32_t required : node.next)
            if (seen_[required] != answer_) {
                seen_[required] = answer_;
                next.push_back(required);
            }
    }
    return missing;
}

std::optional<std::vector<MissingImport>> MissingOffline(const GameFolders& folders,
                                                         const std::vector<PackageItem>& items, std::size_t item)
{
    return OfflineCheck(folders, items).Missing(item);
}

}  // namespace thld
