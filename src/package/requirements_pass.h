#pragma once
// The requirements pass with the size of its region reads chosen by the caller: tests use tiny
// reads so that read boundaries fall everywhere. DetermineRelationships uses kRegionReadSize.

#include <cstddef>
#include <string>
#include <vector>

#include "cache/package_item.h"

namespace thld {

void DetermineRelationships(const std::string& cacheFolder, std::vector<PackageItem>& items,
                            std::size_t readSize);

}  // namespace thld
