#pragma once
// cache.ini read whole, in one go: it is small.

#include <optional>
#include <string>

namespace thld {

inline constexpr const char* kIndexFileName = "cache.ini";
inline constexpr const char* kBackupFileName = "cache.bak";

// The file's bytes through one unshared open, or nothing when it can't be opened. A read that fails
// after the open raises FileError.
std::optional<std::string> ReadIndexFile(const std::string& path);

// cacheFolder + "cache.ini"
std::string IndexPathOf(const std::string& cacheFolder);

}  // namespace thld
