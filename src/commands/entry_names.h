#pragma once
// Keys and package names from cache.ini become file names. Whoever wrote the file chose them, so
// a command builds a path from one only when it names a plain file inside its folder.

#include <optional>
#include <string>
#include <string_view>

#include "package/package_kind.h"

namespace thld {

// True when the name can stand as one file name inside a folder: not empty, not "." or "..", and
// without a path separator (\ or /), a colon or a control character.
bool IsPlainFileName(std::string_view name);

// What the user is told about an entry that a command leaves in the cache because its key or name
// is not a plain file name.
std::string LeftAloneMessage(std::string_view packageName);

// Where a package goes when it is made permanent: gameFolder + "Maps", "System" or "Textures" and
// the separator, then the package name (the value without its package-file extension) and the
// extension of its kind. Nothing for a kind without a destination.
std::optional<std::string> DestinationPath(const std::string& gameFolder, PackageKind kind,
                                           std::string_view value);

}  // namespace thld
