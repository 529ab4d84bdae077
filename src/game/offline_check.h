#pragma once
// Whether a cached package will load offline once made permanent, as the game loads it: every
// package it imports, and every package those import in turn (followed through the cached packages,
// the installed copies and the game's own packages), must be found in the game's package folders
// (game_packages.h) or be cached, as Permanent takes the cached ones along. The answer names each
// package found nowhere and the package that imports it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "cache/package_item.h"
#include "game/game_folder.h"
#include "game/game_packages.h"

namespace thld {

// A package that a package of the closure imports and that is found nowhere.
struct MissingImport {
    std::string package;  // the name the import table gives
    // The package that imports it, as the list or the game's folders name it; empty where it is the
    // package asked about itself.
    std::string through;
    bool operator==(const MissingImport&) const = default;
};

// The answers for any package of one listing, with what they need gathered once, for the first
// answer: the game's package folders and the cached packages by name. Each installed package's
// tables are read once, when an answer first reaches it; cached packages are known from the listing
// (PackageItem::summary). `items` must stay as they are, where they are, while the check is used.
// It may be used from any thread, one answer at a time.
class OfflineCheck {
public:
    OfflineCheck(const GameFolders& folders, const std::vector<PackageItem>& items);
    ~OfflineCheck();

    // What keeps items[item] from loading offline, in the order met (its own imports first, then
    // those of what it imports, breadth first), each package once; empty when it will load.
    // Nothing when it can't be told: no game folder, or the package's own tables can't be read.
    std::optional<std::vector<MissingImport>> Missing(std::size_t item) const;
    // The same, or nothing as soon as `stopped` answers true (it is asked before each installed
    // file is read).
    std::optional<std::vector<MissingImport>> Missing(std::size_t item, const std::function<bool()>& stopped) const;

private:
    struct Node;
    // Gathers what every answer needs, the first time.
    void Gather() const;
    // The node of items[item], or of the installed package the game loads for a name.
    std::uint32_t InstalledNode(const std::string& path) const;
    // Resolves a node's imports into nodes and packages found nowhere, the first time it is met;
    // false when `stopped` answered true first.
    bool Expand(std::uint32_t node, const std::function<bool()>& stopped) const;

    GameFolders folders_;
    const std::vector<PackageItem>& items_;
    mutable std::optional<GamePackages> game_;
    mutable std::unordered_map<std::string, std::vector<std::uint32_t>> cachedByName_;  // upper-cased
    mutable std::unordered_map<std::string, std::uint32_t> installedByPath_;
    mutable std::vector<std::unique_ptr<Node>> nodes_;  // items first, then installed files
    mutable std::vector<std::uint32_t> seen_;           // the answer that last reached each node
    mutable std::uint32_t answer_ = 0;
    mutable std::mutex mutex_;  // one answer at a time
};

// OfflineCheck(folders, items).Missing(item), for one answer.
std::optional<std::vector<MissingImport>> MissingOffline(const GameFolders& folders,
                                                         const std::vector<PackageItem>& items, std::size_t item);

}  // namespace thld
