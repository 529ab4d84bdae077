#pragma once
// GUIDs in the cache, as Return and Tidy check them right before they act: whether the cache holds
// one already (as a cached file or as a line's key), and the GUID of a package file.

#include <optional>
#include <string>

namespace thld {

// Whether the cache holds `guid` already: as a file <guid>.uxx, or as a line's key (any case).
// Nothing when cache.ini can't be read.
std::optional<bool> HoldsGuid(const std::string& cacheFolder, const std::string& guid);
// Whether a line of cache.ini has `guid` as its key (any case); nothing when it can't be read.
std::optional<bool> HoldsLine(const std::string& cacheFolder, const std::string& guid);

// The GUID of a package file; nothing when it is no package, has none, or can't be read.
std::optional<std::string> GuidOfPackage(const std::string& path);

}  // namespace thld
