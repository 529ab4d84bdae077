#pragma once
// Folders: whether a path names one (or anything), what one holds, and making one. Paths are text as
// in file.h; a folder's path may end in the separator or not.

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace thld {

// True when the path names anything at all: a file, a folder, a link (even one that leads nowhere).
bool PathExists(const std::string& path);

// True when the path names an existing folder (following symbolic links).
bool IsFolder(const std::string& path);

// The names of the entries in a folder (without "." and ".."), in no particular order; empty when
// the folder can't be read.
std::vector<std::string> FolderEntries(const std::string& folder);

// Whether any entry of the folder (not "." or "..") has a name that `wanted` answers true for; the
// names are not kept, and the reading ends at the first. False when the folder can't be read.
// `shapes`, when given, are wildcard patterns (* and ?) that every wanted name matches: where the
// system can look for names itself (Windows), only the entries it finds for them are read, and a
// big folder's other entries cost nothing (under Wine each entry read costs system calls).
bool FolderHoldsEntry(const std::string& folder, const std::function<bool(std::string_view name)>& wanted,
                      std::span<const std::string> shapes = {});

// Makes the folder (its parent must exist); an existing folder is left as it is. Other failures
// raise FileError.
void MakeFolder(const std::string& path);

}  // namespace thld
