#pragma once
// The problems players meet with a cache, found over an installation's listing:
// - mismatch: the game's folders hold, where the package would go (game_packages.h), a package of
//   another version (another GUID), which the game takes first and a server with the cached version
//   refuses;
// - stale: a line of cache.ini whose cached file is gone (a file whose name differs only in case
//   counts, as the game's file system finds it);
// - orphan: a <32 hex digits>.uxx file that no line of cache.ini names, anywhere in the file and in
//   any case (the game can still find it by GUID);
// - duplicate: one package name under several keys, one per version a server used;
// - missing: a cached package, of any kind, that will not load offline: a package of its closure
//   imports one found neither in the game's folders nor in the cache (offline_check.h);
// - unreadable: a cached file whose header, name table or import table can't be read; its version
//   can't be told, so it is never called a mismatch.
// Only reads: the listing's summaries serve (PackageItem::summary), and besides them cache.ini and
// the names in the cache folder, and the installed copies, orphans and the installed packages of a
// closure, each within its bounds; a file that can't be read is passed over (where cache.ini can't
// be, neither stale lines nor orphans are told). The file of a key that is no plain file name
// (IsPlainFileName, such as "../x") is never looked at, and its line is never called stale.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cache/package_item.h"
#include "game/game_folder.h"
#include "game/offline_check.h"

namespace thld {

struct CacheProblem {
    enum class Kind {
        Mismatch,
        Stale,
        Orphan,
        Duplicate,
        Missing,
        Unreadable,
    };
    Kind kind = Kind::Stale;
    std::string name;  // the line's value, as the list shows it; empty for an orphan
    std::string key;   // the cached file's key; for a duplicate the newest one's
    std::string path;  // mismatch: the installed copy; orphan, unreadable: the file; stale: the missing file
    // mismatch: the GUIDs of the cached and the installed copy, where they have one.
    std::optional<std::string> cachedGuid, installedGuid;
    // orphan: what the file is.
    std::uint64_t size = 0;
    PackageKind fileKind;
    std::optional<std::string> guid;
    // duplicate: every key of the name, the newest (by its cached file's time) first.
    std::vector<std::string> keys;
    // missing: the imported packages found nowhere, in the order met, and for each the package
    // that imports it (empty where it is this package).
    std::vector<MissingImport> missing;
    // unreadable: how far its tables could be read.
    PackageTables tables = PackageTables::NotRead;
};

// The problems of the cache of `folders` (the game folder may be empty: then nothing is looked for
// in the game's folders, and neither mismatch nor missing is reported), grouped by kind in the order
// of CacheProblem::Kind, each group in cache.ini's order (orphans by file name). `items` is the
// listing of that cache. cache.ini is read once more for its lines. `offline` answers for `items`
// (one is made where none is given).
std::vector<CacheProblem> CheckCache(const GameFolders& folders, const std::vector<PackageItem>& items,
                                     const OfflineCheck* offline = nullptr);

// "mismatch", "stale", "orphan", "duplicate", "missing", "unreadable"
const char* ProblemWord(CacheProblem::Kind kind);

}  // namespace thld
