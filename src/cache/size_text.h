#pragma once
// Sizes as every front-end words them: the cache tree's size item in whole KiB, and a size for
// people in binary units.

#include <cstdint>
#include <string>

namespace thld {

// "<bytes / 1024>k bytes"; "0" stands for a file whose size could not be learnt.
std::string SizeTextOf(std::uint64_t bytes);

// A size for people: bytes below 1 KiB ("628 B"), otherwise the largest unit that keeps the number
// below 1024, with one decimal below ten and whole above ("1.0 KiB", "564 KiB", "1.2 GiB",
// "27 GiB").
std::string SizeInUnits(std::uint64_t bytes);

}  // namespace thld
