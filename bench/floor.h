#pragma once
// The least that any requirements pass must do on a cache: open every cached file once and read
// the bytes that must be looked at, its first 512 bytes and, for maps and script packages, the
// region up to the first 0xFF run (known here from the layout), in one read, with no search and
// no parsing.

#include <cstdint>
#include <string>
#include <vector>

#include "synthetic_cache.h"

namespace thld::bench {

// Gives the number of bytes read.
std::uint64_t ReadFloor(const std::string& cacheFolder, const std::vector<LayoutLine>& layout);

}  // namespace thld::bench
