#pragma once
// Keys and package names from cache.ini become file names. Whoever wrote the file chose them, so
// a command builds a path from one only when it names a plain file inside its folder.

#include <optional>
#include <string>
#include <string_view>

#include "cache/cached_file.h"  // IsPlainFileName
#include "package/package_kind.h"

namespace thld {

// Why a command leaves a package in the cache, telling the user.
enum class LeftReason {
    NotPlainName,       // its key (or, for a move, its name) is not a plain file name
    CachedFileIsLink,   // Permanent: its cached file is a link
    DestinationIsLink,  // Permanent: the file it would replace is a link
    LinkNotDeletable,   // Delete: its cached file is a link that can't go without what it leads to
};
// What the user is told about a package that a command leaves in the cache.
std::string LeftAloneMessage(std::string_view packageName, LeftReason reason = LeftReason::NotPlainName);

// Where a package goes when it is made permanent.
struct Destination {
    std::string folder;  // the game's "Maps", "System" or "Textures" folder, ending in the separator
    std::string path;    // folder + the package name + the extension of its kind
};
// The destination by kind: the folder as GameSubfolder finds it (one whose name differs only in
// case counts), then the package name (the value without its package-file extension) and ".unr",
// ".u" or ".utx". Nothing for a kind without a destination.
std::optional<Destination> DestinationOf(const std::string& gameFolder, PackageKind kind, std::string_view value);

}  // namespace thld
