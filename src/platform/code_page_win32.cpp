#include <windows.h>

#include <algorithm>

#include "platform/code_page.h"
#include "platform/utf16.h"

namespace thld {

char32_t CharacterOfStrayByte(unsigned char) { return 0xFFFD; }

namespace {
// The ANSI code page of the system's locale, in which the game wrote its files. A program whose
// manifest asks for UTF-8 as its own code page (tallyhold.exe) gets UTF-8 for CP_ACP, so the code
// page is asked of the locale.
UINT SystemAnsiCodePage()
{
    static const UINT codePage = [] {
        DWORD number = 0;
        const int read = ::GetLocaleInfoW(::GetSystemDefaultLCID(), LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                                          reinterpret_cast<LPWSTR>(&number), sizeof(number) / sizeof(wchar_t));
        return read > 0 && number != 0 ? static_cast<UINT>(number) : static_cast<UINT>(CP_ACP);
    }();
    return codePage;
}
}  // namespace

std::string TextFromCodePage(std::string_view bytes)
{
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::string(bytes);
    // The same conversion as the system's own for the game's "A" functions, so that a name means the
    // same file as it did to the game.
    const int length = static_cast<int>(bytes.size());
    const UINT codePage = SystemAnsiCodePage();
    const int units = ::MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes.data(), length, wide.data(), units);
    return Utf8Of(wide);
}

}  // namespace thld
