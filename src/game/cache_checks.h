#pragma once
// The problems players meet with a cache, found over an installation's listing:
// - mismatch: the game's folders hold a package named like a cached one but of another version
//   (another GUID; for packages without one, other bytes), which the game takes first and a server
//   with the cached version refuses;
// - stale: a line of cache.ini whose cached file is gone;
// - orphan: a <32 hex digits>.uxx file that no line names (the game can still find it by GUID);
// - duplicate: one package name under several keys, one per version a server used;
// - missing: a cached map or script package importing a package found neither where the game
//   looks for packages by name (package_paths.h; any case) nor among the cached packages: it will
//   not load offline.
// Only reads; every file it opens is read within its bounds, and a file that can't be read is
// passed over (a cached file that is no package gives no "missing"). The file of a key that is no
// plain file name (such as "../x") is never looked at.

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "cache/package_item.h"
#include "game/game_folder.h"
#include "game/package_paths.h"

namespace thld {

struct CacheProblem {
    enum class Kind {
        Mismatch,
        Stale,
        Orphan,
        Duplicate,
        Missing,
    };
    Kind kind = Kind::Stale;
    std::string name;  // the line's value, as the list shows it; empty for an orphan
    std::string key;   // the cached file's key; for a duplicate the newest one's
    std::string path;  // mismatch: the installed copy; orphan: the file; stale: the missing file
    // mismatch: the GUIDs of the cached and the installed copy, where they have one.
    std::optional<std::string> cachedGuid, installedGuid;
    // orphan: what the file is.
    std::uint64_t size = 0;
    PackageKind fileKind;
    std::optional<std::string> guid;
    // duplicate: every key of the name, the newest (by its cached file's time) first.
    std::vector<std::string> keys;
    // missing: the imported packages found nowhere, in import order.
    std::vector<std::string> missing;
};

// The problems of the cache of `folders` (the game folder may be empty: then nothing is looked for
// in the game's folders, and neither mismatch nor missing is reported), grouped by kind in the order
// of CacheProblem::Kind, each group in cache.ini's order (orphans by file name). `items` is the
// listing of that cache. cache.ini is read once more for the lines whose file is gone.
std::vector<CacheProblem> CheckCache(const GameFolders& folders, const std::vector<PackageItem>& items);

// Whether a cached package will load offline once made permanent: the packages that it, or any
// cached package it requires (PackageItem::requirements, followed through), imports and that are
// found neither in the game's folders nor among the cached packages, in import order, each once.
// Empty when it will load; nothing when it can't be told (no game folder, or the package's file
// is no readable package). For one package; OfflineCheck answers many.
std::optional<std::vector<std::string>> MissingOffline(const GameFolders& folders,
                                                       const std::vector<PackageItem>& items, std::size_t item);

// MissingOffline for any package of one listing, with what every answer needs gathered once, for
// the first answer: the game's packages on its paths, the cached package names and the items by
// name (made at once, the check costs nothing until it is asked). Each package's
// file is read once, when an answer first needs its imports, and each requirement looked up by
// name once; later answers take what was found. `items` must stay as they are, where they are,
// while the check is used. It may be used from any thread, one answer at a time.
class OfflineCheck {
public:
    OfflineCheck(const GameFolders& folders, const std::vector<PackageItem>& items);

    // As MissingOffline(folders, items, item).
    std::optional<std::vector<std::string>> Missing(std::size_t item) const;
    // The same, or nothing as soon as `stopped` answers true (it is asked before each file is read).
    std::optional<std::vector<std::string>> Missing(std::size_t item, const std::function<bool()>& stopped) const;

private:
    // What one package gives every answer that takes it along.
    struct Found {
        bool read = false;                  // its file is a readable package
        std::vector<std::string> missing;   // its imports found nowhere, in import order
        std::vector<std::size_t> required;  // the items of its requirements' names, in order
    };
    // Nothing when `stopped` answers true before its file is read.
    const Found* FoundOf(std::size_t item, const std::function<bool()>& stopped) const;
    // Gathers what every answer needs, the first time.
    void Gather() const;

    GameFolders folders_;
    const std::vector<PackageItem>& items_;
    mutable std::optional<PackagesOnPaths> installed_;  // nothing until gathered
    mutable std::vector<std::size_t> cachedNames_;      // the cached packages by name, case aside
    mutable std::vector<std::size_t> byName_;           // item numbers by name, then number
    mutable std::mutex mutex_;                          // one answer at a time
    mutable std::unordered_map<std::size_t, Found> found_;
};

// "mismatch", "stale", "orphan", "duplicate", "missing"
const char* ProblemWord(CacheProblem::Kind kind);

}  // namespace thld
