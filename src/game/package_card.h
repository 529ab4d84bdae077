#pragma once
// A cached package's card: what the listing knows of it (name, kind, size, key), what its file says
// of itself (package_description.h: version, GUID, imports, objects and, for a map, title, author,
// players, the entering text and the screenshot), what it requires among the cached packages and,
// for a map, whether it will load offline. Read on demand, one package at a time; the file is
// opened unshared, only where it is a regular file and its key a plain file name, and read within
// its bounds. A file that can't be read as a package still gives the listing's part, with the
// reason in the description.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "cache/package_item.h"
#include "game/cache_checks.h"
#include "package/package_description.h"

namespace thld {

struct PackageCard {
    std::string name;  // as the list shows it
    PackageKind kind;
    std::uint64_t size = 0;
    std::string sizeText;
    std::string key;
    // Nothing where the key is no plain file name (no file is opened for it).
    std::optional<PackageDescription> description;

    // The listing's requirements (PackageItem::requirements).
    std::vector<std::string> requirements;
    enum class Offline {
        NotAsked,  // not asked
        NotKnown,  // no game folder, or the file is no readable package
        WillLoad,
        WillNotLoad,  // `missing` names what is found nowhere
    };
    Offline offline = Offline::NotAsked;
    std::vector<MissingImport> missing;
};

// The card of a cached package from its file in `cacheFolder`, without requirements. A failed open
// or read of the file raises FileError.
PackageCard ReadPackageCard(const std::string& cacheFolder, const PackageItem& item, ScreenshotWanted screenshot);

// The title and author (and the rest of LevelFacts) of a cached map, without its screenshot; nothing
// for another kind, a key that is no plain file name, or a file that can't be opened or read.
std::optional<LevelFacts> ReadMapFacts(const std::string& cacheFolder, const PackageItem& item);

// Adds what `items[item]` requires and, for a map, whether it will load offline, by `offline`
// (made from the same items).
void AddRequirements(PackageCard& card, const std::vector<PackageItem>& items, std::size_t item,
                     const OfflineCheck& offline);

// The words for a card's values that are no text of the package, the same in every front-end: the
// screenshot ("256 x 256 P8", "none", "Screenshot in the package Untitled (not read)", "a screenshot
// in a format not shown (RGB16)", "unreadable: ..."), and whether a map loads offline.
std::string ScreenshotText(const ScreenshotFacts& screenshot);
// "will load", "will not load: A and B are found nowhere", "can't be told"; empty for NotAsked.
std::string OfflineText(const PackageCard& card);

}  // namespace thld
