#pragma once
// The cached files: the game keeps each downloaded package in the cache folder under the key of its
// line in cache.ini, with the extension ".uxx".

#include <string>
#include <string_view>

#include "package/package_kind.h"
#include "platform/plain_file_name.h"

namespace thld {

inline constexpr const char* kCachedFileExtension = ".uxx";

// cacheFolder + key + ".uxx"
std::string CachedFilePath(const std::string& cacheFolder, const std::string& key);

// Whoever wrote cache.ini chose its keys: a key that is no plain file name (IsPlainFileName) names no
// cached file, and nothing is read or changed through it.

// The kind of the cached file of a key: "Unknown" for an empty key or one that is no plain file
// name, without touching the disk; otherwise KindOfFile of its path ("File Not Available" when it
// can't be opened unshared).
PackageKind GetPackageKind(const std::string& cacheFolder, const std::string& key);

}  // namespace thld
