#pragma once
// Which cached packages each cached map or script package requires.

#include <cstddef>
#include <string>
#include <vector>

#include "cache/package_item.h"
#include "package/region_end.h"

namespace thld {

// Fills the requirements of every item of a fresh listing, as the game loads a package: each cached
// package (of any kind) that a top-level import of class "Package" of its import table names, in
// any case of letters; a package never requires itself nor another version of its own name. A
// file whose tables can't be read (PackageTables other than Read) is searched by name instead,
// when it is a "Map" or "Script": it requires the "Textures/Skins" and "Script" items whose
// length-prefixed package name occurs before its first run of eight 0xFF bytes. An entry with an
// empty name (KEY=) requires nothing and is required by nothing. Requirements follow the items'
// order. Reads cache.ini at most once. The listing's summaries and searches
// (PackageItem::summary, namesInRegion) are taken instead of opening the files again, and
// namesInRegion is emptied; an item whose line now names another file has that file read here, a
// region in reads of `readSize` bytes (tests choose tiny ones, so that read boundaries fall
// everywhere).
void DetermineRelationships(const std::string& cacheFolder, std::vector<PackageItem>& items,
                            std::size_t readSize = kRegionReadSize);

}  // namespace thld
