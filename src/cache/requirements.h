#pragma once
// Which cached packages each cached map or script package requires.

#include <cstddef>
#include <string>
#include <vector>

#include "cache/package_item.h"
#include "package/region_bounds.h"

namespace thld {

// Fills the requirements of every "Map" and "Script" item of a fresh listing: the texts of the
// "Textures/Skins" and "Script" items whose length-prefixed package name occurs in the package's
// file before its first run of eight 0xFF bytes. An entry with an empty name (KEY=) requires
// nothing and is required by nothing. Reads cache.ini at most once. A map or script
// item that the listing searched (PackageItem::namesInRegion) is not opened again: the listing's
// findings are kept for the names that can be required, and namesInRegion is emptied. Any other such item has its
// file's region read once here, in reads of `readSize` bytes (tests choose tiny ones, so that read boundaries fall
// everywhere).
void DetermineRelationships(const std::string& cacheFolder, std::vector<PackageItem>& items,
                            std::size_t readSize = kRegionReadSize);

}  // namespace thld
