#include <windows.h>

#include <algorithm>

#include "platform/code_page.h"
#include "platform/utf16.h"

namespace thld {

char32_t CharacterOfStrayByte(unsigned char) { return 0xFFFD; }

std::string TextFromCodePage(std::string_view bytes)
{
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::string(bytes);
    // The same conversion as the system's own for the "A" functions, so that a name means the same
    // file as it did to them.
    const int length = static_cast<int>(bytes.size());
    const int units = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, wide.data(), units);
    return Utf8Of(wide);
}

}  // namespace thld
