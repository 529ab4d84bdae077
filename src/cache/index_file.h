#pragma once
// cache.ini read whole, in one go: it is small.
//
// How the cache layer tells what came of a reading of cache.ini: every call that reads it and can
// fail to gives an outcome (Listing, IndexEntries, FoundLine, RemovedLine), and the outcome says
// Unreadable, in that one word, when cache.ini could not be opened, and NoSuchLine when it was read
// but the line asked for is not in it. A read that fails once the file is open raises FileError.

#include <cstdint>
#include <optional>
#include <string>

namespace thld {

inline constexpr const char* kIndexFileName = "cache.ini";
inline constexpr const char* kBackupFileName = "cache.bak";

// The most bytes cache.ini may hold: some hundred times a cache of 100,000 packages.
inline constexpr std::uint64_t kMostIndexBytes = 64u << 20;

// The file's bytes through one unshared open, as many as its length when it was opened, or nothing
// when it can't be opened. Something that is not a regular file (a FIFO, a device, a folder) raises
// FileError (FileErrorCause::NotRegularFile), one longer than kMostIndexBytes raises it
// (FileErrorCause::TooLarge) before anything is read, as does a read that fails after the open.
std::optional<std::string> ReadIndexFile(const std::string& path);

// cacheFolder + "cache.ini"
std::string IndexPathOf(const std::string& cacheFolder);

}  // namespace thld
