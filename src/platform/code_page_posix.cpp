#include "platform/code_page.h"

namespace thld {

// The POSIX build reads names as single-byte text.
bool IsSystemLeadByte(unsigned char) { return false; }

}  // namespace thld
