#include "platform/utf16.h"

namespace thld {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The code point that starts at text[at], and how many bytes it takes; bytes that are no UTF-8 give
// U+FFFD for one byte. Three-byte forms of surrogates are taken as they are (see the header).
char32_t NextCodePoint(std::string_view text, std::size_t at, std::size_t& length)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    length = 1;
    if (lead < 0x80)
        return lead;
    std::size_t count = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
    if (count == 0 || at + count > text.size())
        return kReplacement;
    char32_t point = lead & (0xFF >> (count + 1));
    for (std::size_t i = 1; i < count; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return kReplacement;
        point = (point << 6) | (byte(i) & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < smallest[count] || point > 0x10FFFF)
        return kReplacement;
    length = count;
    return point;
}

void Append(std::string& out, char32_t point)
{
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        std::size_t length = 0;
        char32_t point = NextCodePoint(utf8, at, length);
        at += length;
        if (point >= 0x10000) {
            point -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (point >> 10));
            out += static_cast<char16_t>(0xDC00 + (point & 0x3FF));
        } else {
            out += static_cast<char16_t>(point);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t at = 0; at < utf16.size(); ++at) {
        char32_t unit = utf16[at];
        if (unit >= 0xD800 && unit < 0xDC00 && at + 1 < utf16.size() && utf16[at + 1] >= 0xDC00 &&
            utf16[at + 1] < 0xE000) {
            Append(out, 0x10000 + ((unit - 0xD800) << 10) + (utf16[at + 1] - 0xDC00));
            ++at;
        } else {
            Append(out, unit);  // a lone surrogate keeps its three bytes
        }
    }
    return out;
}

}  // namespace thld
