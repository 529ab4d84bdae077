#pragma once
// The program's own text is UTF-8 on Windows and bytes on other systems (names there are bytes, as
// the native game writes them). Text that comes in the system code page (Windows' ANSI code page)
// is turned into the program's text where it is read, so no text of the program is ever in a code
// page of two-byte characters: in UTF-8 no byte of a longer character is an ASCII byte, and a
// backslash or a letter found byte by byte is one. Upper-casing touches the letters a to z only.

#include <algorithm>
#include <string>
#include <string_view>

namespace thld {

// Text in the system code page as the program's text: converted to UTF-8 on Windows (text of
// bytes below 0x80 is the same in both), left as it is elsewhere.
std::string TextFromCodePage(std::string_view bytes);

// The length of the valid UTF-8 character at the start of `text` (overlong forms, surrogates and
// values past U+10FFFF are not valid), or 0.
std::size_t Utf8CharacterLength(std::string_view text);

// What a byte that starts no valid UTF-8 character stands for when the program's text is shown:
// on Windows, where the program's text is UTF-8, U+FFFD, as the system's wide functions get it
// (utf16.h); on other systems, where names are the bytes the game wrote, the Latin-1 character.
char32_t CharacterOfStrayByte(unsigned char byte);

// The program's text as valid UTF-8, for people and for interfaces that take Unicode: its valid
// UTF-8 characters as they are, every other byte as CharacterOfStrayByte. Every front-end shows
// names through this one rule.
std::string UnicodeText(std::string_view text);

inline char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// True when both texts are equal once their letters a to z are upper-cased.
inline bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i]))
            return false;
    return true;
}

// The order of the texts once their letters a to z are upper-cased, byte by byte (bytes as
// unsigned).
inline bool LessIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(UpperAscii(x)) < static_cast<unsigned char>(UpperAscii(y));
    });
}

// The text with its letters a to z upper-cased.
std::string UpperAsciiText(std::string_view text);

}  // namespace thld
