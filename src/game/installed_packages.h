#pragma once
// Whether the game's own folders already hold a package of a cached package's name: a different
// copy there is what makes online play fail with a version mismatch, and an identical one means the
// cached copy can go.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "cache/package_item.h"

namespace thld {

enum class InstalledCopy {
    None,       // no file of that name in the game's folders
    Identical,  // one, byte for byte the cached file
    Different,  // one, with other bytes
};

// The game's Maps, System, Textures, Sounds and Music folders, each listed once, so that checking
// thousands of packages costs a lookup each and a comparison only where a name and a size match.
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
    // The installed file named like the package (the package name, PackageNameOf its value, with
    // the extension of its folder: .unr in Maps, .u in System, .utx in Textures, .uax in Sounds,
    // .umx in Music; names compared without regard to ASCII case), compared with its cached file.
    // A value with one of these extensions looks in that extension's folder only; any other looks in
    // each in turn and takes the first it finds. A read that fails raises FileError.
    Found Check(const PackageItem& item, const std::string& cachedFile) const;

private:
    // Upper-cased file name -> full path, for every file of the five folders.
    std::map<std::string, std::string, std::less<>> files_;
};

}  // namespace thld
