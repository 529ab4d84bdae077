#pragma once
// Whether the game's own folders already hold a package of a cached package's name, at the place
// where the package would go (game_packages.h): a copy of another version there is what makes
// online play fail with a version mismatch, and one of the same version means the cached copy can go.

#include <cstdint>
#include <string>
#include <string_view>

#include "cache/package_item.h"
#include "game/game_packages.h"

namespace thld {

enum class InstalledCopy {
    None,         // no file at the package's destination
    Identical,    // one, byte for byte the cached file
    SameVersion,  // one with other bytes but the cached package's GUID: the same version
    Different,    // one of another version, or one whose version can't be told
};

// "identical", "same version", "different", or "" for None: the word the list shows.
const char* InstalledCopyWord(InstalledCopy copy);

// The game's package folders, each listed once, so that checking thousands of packages costs a
// lookup each and a comparison only where a name matches.
class InstalledPackages {
public:
    explicit InstalledPackages(const std::string& gameFolder);

    struct Found {
        InstalledCopy copy = InstalledCopy::None;
        std::string path;  // the installed file, when there is one
        // The file of that name is no regular file (a FIFO, a device, a folder): it was passed over
        // unread, and copy is None.
        bool notRegularFile = false;
    };
    // The installed file at the package's destination (GamePackages::DestinationOf its kind and
    // value; names compared without regard to ASCII case), compared with its cached file: byte for
    // byte, then by the GUIDs of their headers. A read that fails raises FileError.
    Found Check(const PackageItem& item, const std::string& cachedFile) const;

    const GamePackages& Packages() const { return packages_; }

private:
    GamePackages packages_;
};

}  // namespace thld
