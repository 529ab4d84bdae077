#include "support/page_cache.h"

namespace thld::test {

bool DropFromMemory(const std::string&) { return false; }

}  // namespace thld::test
