#pragma once
// cache.ini read whole, in one go: it is small.

#include <optional>
#include <string>

namespace thld {

inline constexpr const char* kIndexFileName = "cache.ini";
inline constexpr const char* kBackupFileName = "cache.bak";

// The file's bytes through one unshared open, as many as its length when it was opened, or nothing
// when it can't be opened. Something that is not a regular file (a FIFO, a device, a folder) raises
// FileError (FileErrorCause::NotRegularFile), as does a read that fails after the open.
std::optional<std::string> ReadIndexFile(const std::string& path);

// cacheFolder + "cache.ini"
std::string IndexPathOf(const std::string& cacheFolder);

}  // namespace thld
