#include "cache/size_text.h"

namespace thld {

std::string SizeTextOf(std::uint64_t bytes) { return std::to_string(bytes >> 10) + "k bytes"; }

}  // namespace thld
