#pragma once
// A cache folder of the fuzz target's own, emptied before each input.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace thld::fuzz {

// The folder's path, ending in the path separator; made on first use (in /dev/shm where it can be).
const std::string& FuzzFolder();
// Removes everything in the folder.
void EmptyFuzzFolder();
void WriteBytes(const std::string& path, std::string_view bytes);
std::string ReadBytes(const std::string& path);
std::uint64_t FileSize(const std::string& path);
// The names in the folder, sorted.
std::vector<std::string> FolderNames();

// Stops the run with a message when a check fails.
void Require(bool condition, const char* what);

}  // namespace thld::fuzz
