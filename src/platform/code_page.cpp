#include "platform/code_page.h"

namespace thld {

std::size_t Utf8CharacterLength(std::string_view text)
{
    if (text.empty())
        return 0;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(0);
    if (first < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        if (first == 0xE0)
            low = 0xA0;
        if (first == 0xED)
            high = 0x9F;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        if (first == 0xF0)
            low = 0x90;
        if (first == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

std::string UnicodeText(std::string_view text)
{
    std::string unicode;
    unicode.reserve(text.size());
    while (!text.empty()) {
        std::size_t length = Utf8CharacterLength(text);
        if (length != 0) {
            unicode.append(text.substr(0, length));
            text.remove_prefix(length);
            continue;
        }
        const char32_t stray = CharacterOfStrayByte(static_cast<unsigned char>(text[0]));
        if (stray < 0x800) {
            unicode += static_cast<char>(0xC0 | (stray >> 6));
            unicode += static_cast<char>(0x80 | (stray & 0x3F));
        } else {
            unicode += static_cast<char>(0xE0 | (stray >> 12));
            unicode += static_cast<char>(0x80 | ((stray >> 6) & 0x3F));
            unicode += static_cast<char>(0x80 | (stray & 0x3F));
        }
        text.remove_prefix(1);
    }
    return unicode;
}

std::string UpperAsciiText(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        c = UpperAscii(c);
    return upper;
}

}  // namespace thld
