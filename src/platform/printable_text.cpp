#include "platform/printable_text.h"

#include <algorithm>

#include "platform/code_page.h"

namespace thld {

namespace {

bool IsC1Control(std::string_view character)
{
    return character.size() == 2 && static_cast<unsigned char>(character[0]) == 0xC2 &&
           static_cast<unsigned char>(character[1]) < 0xA0;
}

// The marks and controls that change the direction of the text after them (U+061C, U+200E, U+200F,
// U+202A to U+202E, U+2066 to U+2069): a name holding one could show its letters in another order.
bool IsDirectionControl(std::string_view character)
{
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(character[i]); };
    if (character.size() == 2)
        return at(0) == 0xD8 && at(1) == 0x9C;
    if (character.size() != 3 || at(0) != 0xE2)
        return false;
    return (at(1) == 0x80 && (at(2) == 0x8E || at(2) == 0x8F || (at(2) >= 0xAA && at(2) <= 0xAE))) ||
           (at(1) == 0x81 && at(2) >= 0xA6 && at(2) <= 0xA9);
}

// The text as UnicodeText gives it, with C1 controls (and, to print, every control) as "?".
std::string Converted(std::string_view raw, bool printable)
{
    const std::string unicode = UnicodeText(raw);
    std::string_view rest = unicode;
    std::string text;
    text.reserve(rest.size());
    while (!rest.empty()) {
        const std::string_view character = rest.substr(0, std::max<std::size_t>(Utf8CharacterLength(rest), 1));
        const auto first = static_cast<unsigned char>(character[0]);
        if (IsC1Control(character) || (printable && (first < 0x20 || first == 0x7F || IsDirectionControl(character))))
            text += '?';
        else
            text += character;
        rest.remove_prefix(character.size());
    }
    return text;
}

}  // namespace

std::string Utf8Text(std::string_view raw) { return Converted(raw, false); }

std::string PrintableText(std::string_view raw) { return Converted(raw, true); }

}  // namespace thld
