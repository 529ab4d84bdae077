#include "platform/case_fold.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace thld {

namespace {

// A run of capitals whose folded forms lie `delta` further on: every letter from `first` to `last`
// when `step` is 1, every other one (upper and lower case alternating) when it is 2.
struct FoldRun {
    char32_t first, last;
    std::int32_t delta;
    std::uint8_t step;
};

// The simple case folding of the scripts names are written in: Latin, Greek, Cyrillic, Armenian,
// Georgian, and the full-width and Deseret forms. Sorted by `first`.
constexpr FoldRun kRuns[] = {
    {0x0041, 0x005A, 32, 1},   {0x00B5, 0x00B5, 775, 1},  {0x00C0, 0x00D6, 32, 1},   {0x00D8, 0x00DE, 32, 1},
    {0x0100, 0x012E, 1, 2},    {0x0132, 0x0136, 1, 2},    {0x0139, 0x0147, 1, 2},    {0x014A, 0x0176, 1, 2},
    {0x0178, 0x0178, -121, 1}, {0x0179, 0x017D, 1, 2},    {0x017F, 0x017F, -268, 1}, {0x0181, 0x0181, 210, 1},
    {0x0182, 0x0184, 1, 2},    {0x0186, 0x0186, 206, 1},  {0x0187, 0x0187, 1, 1},    {0x0189, 0x018A, 205, 1},
    {0x018B, 0x018B, 1, 1},    {0x018E, 0x018E, 79, 1},   {0x018F, 0x018F, 202, 1},  {0x0190, 0x0190, 203, 1},
    {0x0191, 0x0191, 1, 1},    {0x0193, 0x0193, 205, 1},  {0x0194, 0x0194, 207, 1},  {0x0196, 0x0196, 211, 1},
    {0x0197, 0x0197, 209, 1},  {0x0198, 0x0198, 1, 1},    {0x019C, 0x019C, 211, 1},  {0x019D, 0x019D, 213, 1},
    {0x01A0, 0x01A4, 1, 2},    {0x01CD, 0x01DB, 1, 2},    {0x01DE, 0x01EE, 1, 2},    {0x01F8, 0x021E, 1, 2},
    {0x0222, 0x0232, 1, 2},    {0x0386, 0x0386, 38, 1},   {0x0388, 0x038A, 37, 1},   {0x038C, 0x038C, 64, 1},
    {0x038E, 0x038F, 63, 1},   {0x0391, 0x03A1, 32, 1},   {0x03A3, 0x03AB, 32, 1},   {0x03C2, 0x03C2, 1, 1},
    {0x03D8, 0x03EE, 1, 2},    {0x0400, 0x040F, 80, 1},   {0x0410, 0x042F, 32, 1},   {0x0460, 0x0480, 1, 2},
    {0x048A, 0x04BE, 1, 2},    {0x04C0, 0x04C0, 15, 1},   {0x04C1, 0x04CD, 1, 2},    {0x04D0, 0x052E, 1, 2},
    {0x0531, 0x0556, 48, 1},   {0x10A0, 0x10C5, 7264, 1}, {0x1E00, 0x1E94, 1, 2},    {0x1E9E, 0x1E9E, -7615, 1},
    {0x1EA0, 0x1EFE, 1, 2},    {0x2160, 0x216F, 16, 1},   {0x24B6, 0x24CF, 26, 1},   {0xFF21, 0xFF3A, 32, 1},
    {0x10400, 0x10427, 40, 1},
};

char32_t Folded(char32_t c)
{
    const auto after = std::upper_bound(std::begin(kRuns), std::end(kRuns), c,
                                        [](char32_t value, const FoldRun& run) { return value < run.first; });
    if (after == std::begin(kRuns))
        return c;
    const FoldRun& run = *(after - 1);
    if (c > run.last || (c - run.first) % run.step != 0)
        return c;
    return static_cast<char32_t>(static_cast<std::int32_t>(c) + run.delta);
}

// The UTF-8 character at the start of `text` and its length; a length of 0 where none starts there.
std::size_t Decoded(std::string_view text, char32_t& c)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(0);
    if (first < 0x80) {
        c = first;
        return 1;
    }
    std::size_t length = first >= 0xF0 && first <= 0xF4 ? 4 : first >= 0xE0 ? 3 : first >= 0xC2 && first < 0xE0 ? 2 : 0;
    if (length == 0 || first > 0xF4 || text.size() < length)
        return 0;
    c = first & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (byte(i) & 0x3F);
    }
    const char32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

void Encode(char32_t c, std::string& out)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string FoldedCase(std::string_view text)
{
    std::string folded;
    folded.reserve(text.size());
    while (!text.empty()) {
        char32_t c = 0;
        const std::size_t length = Decoded(text, c);
        if (length == 0) {
            folded += text[0];
            text.remove_prefix(1);
            continue;
        }
        Encode(Folded(c), folded);
        text.remove_prefix(length);
    }
    return folded;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    if (a == b)
        return true;
    return FoldedCase(a) == FoldedCase(b);
}

}  // namespace thld
