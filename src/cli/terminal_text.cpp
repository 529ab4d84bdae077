#include "cli/terminal_text.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>

#include "platform/code_page.h"

namespace thld::cli {

namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::size_t Columns(std::string_view utf8)
{
    std::size_t columns = 0;
    for (char c : utf8)
        if (!IsContinuation(c))
            ++columns;
    return columns;
}

std::string Shortened(std::string_view utf8, std::size_t columns)
{
    if (Columns(utf8) <= columns)
        return std::string(utf8);
    if (columns == 0)
        return std::string();
    std::size_t kept = 0, end = 0;
    while (end < utf8.size()) {
        if (!IsContinuation(utf8[end]) && kept++ == columns - 1)
            break;
        ++end;
    }
    return std::string(utf8.substr(0, end)) + "\xE2\x80\xA6";
}

std::string PaddedRight(std::string_view utf8, std::size_t columns)
{
    std::string text(utf8);
    for (std::size_t used = Columns(utf8); used < columns; ++used)
        text += ' ';
    return text;
}

std::string PaddedLeft(std::string_view utf8, std::size_t columns)
{
    const std::size_t used = Columns(utf8);
    return std::string(used < columns ? columns - used : 0, ' ') + std::string(utf8);
}

std::string HumanSize(std::uint64_t bytes)
{
    if (bytes < 1024)
        return std::to_string(bytes) + " B";
    constexpr std::array<const char*, 5> kUnits{"KiB", "MiB", "GiB", "TiB", "PiB"};
    double value = static_cast<double>(bytes) / 1024.0;
    std::size_t unit = 0;
    while (value >= 1023.95 && unit + 1 < kUnits.size()) {
        value /= 1024.0;
        ++unit;
    }
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.1f %s", value, kUnits[unit]);
    return text.data();
}

std::string PrintableLines(std::string_view text)
{
    std::string lines;
    for (;;) {
        const std::size_t end = text.find("\r\n");
        lines += PrintableText(text.substr(0, end));
        if (end == std::string_view::npos)
            return lines;
        lines += '\n';
        text.remove_prefix(end + 2);
    }
}

std::string UtcText(std::int64_t seconds)
{
    using namespace std::chrono;
    const sys_seconds time{std::chrono::seconds{seconds}};
    const sys_days day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss clock{time - day};
    std::array<char, 40> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()));
    return text.data();
}

std::string ShortenedPath(std::string_view utf8, std::size_t columns)
{
    const std::size_t used = Columns(utf8);
    if (used <= columns)
        return std::string(utf8);
    if (columns < 8)
        return Shortened(utf8, columns);
    // The end (the file's own name) matters most: two thirds of the room, from a separator where
    // one lies in it; the start takes the rest.
    const std::size_t tailColumns = (columns - 1) * 2 / 3;
    std::size_t tail = utf8.size(), counted = 0;
    while (tail > 0 && counted < tailColumns) {
        --tail;
        if (!IsContinuation(utf8[tail]))
            ++counted;
    }
    const std::size_t separator = utf8.find_first_of("/\\", tail);
    if (separator != std::string_view::npos && separator + 1 < utf8.size())
        tail = separator;
    const std::string_view end = utf8.substr(tail);
    const std::size_t headColumns = columns - 1 - Columns(end);
    std::size_t head = 0;
    for (std::size_t kept = 0; head < utf8.size(); ++head) {
        if (!IsContinuation(utf8[head]) && kept++ == headColumns)
            break;
    }
    return std::string(utf8.substr(0, head)) + "\xE2\x80\xA6" + std::string(end);
}

void WordLines::Add(std::string_view text, std::size_t columns)
{
    if (used_ > 0 && used_ + 1 + columns > room_) {
        lines_ += '\n';
        lines_.append(indent_, ' ');
        used_ = 0;
    } else if (used_ > 0) {
        lines_ += ' ';
        ++used_;
    }
    lines_ += text;
    used_ += columns;
}

std::string Wrapped(std::string_view utf8, std::size_t indent, std::size_t width)
{
    const std::size_t room = width > indent + 20 ? width - indent : 20;
    std::string lines;
    WordLines words(lines, room, indent);
    while (!utf8.empty()) {
        const std::size_t space = utf8.find(' ');
        std::string word(utf8.substr(0, space));
        utf8.remove_prefix(space == std::string_view::npos ? utf8.size() : space + 1);
        if (Columns(word) > room)
            word = ShortenedPath(word, room);
        words.Add(word, Columns(word));
    }
    return lines;
}

}  // namespace thld::cli
