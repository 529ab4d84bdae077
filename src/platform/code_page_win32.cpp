#include <windows.h>

#include "platform/code_page.h"

namespace thld {

bool IsSystemLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != FALSE; }

}  // namespace thld
