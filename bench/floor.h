#pragma once
// The least that any requirements pass must do on a cache: open every cached file once and read
// the bytes that must be looked at, its first 512 bytes and, for maps and script packages, the
// region up to the first 0xFF run (known here from the layout), in one read, with no search and
// no parsing. Once with one read at a time, and once with many files read at once by a pool of
// reader threads: on cold files the disk answers many outstanding reads far faster than one.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "synthetic_cache.h"

namespace thld::bench {

// Gives the number of bytes read.
std::uint64_t ReadFloor(const std::string& cacheFolder, const std::vector<LayoutLine>& layout);

// The same bytes, with `readers` threads each taking the next file: as many reads in flight.
std::uint64_t ReadFloorInFlight(const std::string& cacheFolder, const std::vector<LayoutLine>& layout,
                                std::size_t readers);

}  // namespace thld::bench
