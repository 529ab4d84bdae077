#include "platform/code_page.h"

namespace thld {

// The POSIX build reads names as single-byte text.
bool IsSystemLeadByte(unsigned char) { return false; }

std::string TextFromCodePage(std::string_view bytes) { return std::string(bytes); }

}  // namespace thld
