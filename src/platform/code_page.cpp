#include "platform/code_page.h"

namespace thld {

std::string UpperAsciiText(std::string_view text, LeadByteTest isLeadByte)
{
    std::string upper;
    upper.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
            upper += text[i];
            upper += text[++i];
        } else {
            upper += UpperAscii(text[i]);
        }
    }
    return upper;
}

}  // namespace thld
