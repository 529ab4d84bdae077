#pragma once
// Which cached packages each cached map or script package requires.

#include <string>
#include <vector>

#include "cache/package_item.h"

namespace thld {

// Fills the requirements of every "Map" and "Script" item of a fresh listing: the texts of the
// "Textures/Skins" and "Script" items whose length-prefixed package name occurs in the package's
// file before its first run of eight 0xFF bytes. Reads cache.ini at most once and each file's region
// once.
void DetermineRelationships(const std::string& cacheFolder, std::vector<PackageItem>& items);

}  // namespace thld
