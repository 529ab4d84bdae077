#pragma once
// What kind of package a cached file holds, told by a few names in its first 512 bytes.

#include <string>
#include <string_view>

namespace thld {

// The labels are compared whole, exactly and with case.
using PackageKind = std::string_view;
namespace kind {
inline constexpr PackageKind Map = "Map";
inline constexpr PackageKind Textures = "Textures/Skins";
inline constexpr PackageKind Script = "Script";
inline constexpr PackageKind UnknownType = "Unknown Type";
inline constexpr PackageKind NotAvailable = "File Not Available";
inline constexpr PackageKind Unknown = "Unknown";
}  // namespace kind

inline constexpr std::size_t kKindWindowSize = 512;

// The kind told by a window of the file's first bytes (fewer than 512 for a short file).
PackageKind KindOfWindow(const unsigned char* window, std::size_t length);

// The kind of the cached file cacheFolder + key + ".uxx". An empty key gives "Unknown" without
// touching the disk; a file that can't be opened (unshared) gives "File Not Available". A read that
// fails after the open raises FileError.
PackageKind GetPackageKind(const std::string& cacheFolder, const std::string& key);

// The cached file's path for a key.
inline std::string CachedFilePath(const std::string& cacheFolder, const std::string& key)
{
    return cacheFolder + key + ".uxx";
}

}  // namespace thld
