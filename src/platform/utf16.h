#pragma once
// Conversions between UTF-8 and UTF-16, lossless both ways: a UTF-16 unit that pairs with nothing
// (a lone surrogate) is carried in UTF-8 as its own three bytes, and comes back as that unit; bytes
// that are no UTF-8 come back as U+FFFD. Windows names files in UTF-16; the program's texts are
// UTF-8 there, and the Windows parts hand them to the system's wide functions through WideOf.

#include <string>
#include <string_view>

namespace thld {

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

#ifdef _WIN32
// wchar_t is a UTF-16 unit on Windows.
inline std::wstring WideOf(std::string_view utf8)
{
    std::u16string wide = Utf8ToUtf16(utf8);
    return std::wstring(wide.begin(), wide.end());
}
inline std::string Utf8Of(std::wstring_view wide)
{
    return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}
#endif

}  // namespace thld
