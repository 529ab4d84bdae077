#pragma once
// A small tree of folders and files laid out in a test's folder from a table.

#include <string>
#include <utility>
#include <vector>

#include "support/temp_folder.h"

namespace thld::test {

// Each entry is a path relative to the folder, with '/' between parts, and the file's bytes; a path
// ending in '/' is a folder. Missing folders above each entry are made. In the bytes, '@' stands for
// the folder's path (which ends in the separator).
using FileTree = std::vector<std::pair<std::string, std::string>>;
void LayOut(const TempFolder& folder, const FileTree& tree);

}  // namespace thld::test
