#pragma once
// The size item of a package in the cache tree: its bytes in whole KiB.

#include <cstdint>
#include <string>

namespace thld {

// "<bytes / 1024>k bytes"; "0" stands for a file whose size could not be learnt.
std::string SizeTextOf(std::uint64_t bytes);

}  // namespace thld
