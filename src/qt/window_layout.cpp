#include "qt/window_layout.h"

#include <charconv>

namespace thld {

namespace {

// The numbers of a text such as "980x640" or "320,90,100", split at `separator`; nothing when any
// part is not a whole number.
std::optional<std::vector<int>> NumbersIn(const std::string& text, char separator)
{
    std::vector<int> numbers;
    const char* at = text.data();
    const char* end = text.data() + text.size();
    while (at < end) {
        int number = 0;
        auto [next, fault] = std::from_chars(at, end, number);
        if (fault != std::errc() || (next != end && *next != separator))
            return std::nullopt;
        numbers.push_back(number);
        at = next == end ? end : next + 1;
    }
    return numbers;
}

std::string Joined(const std::vector<int>& numbers, char separator)
{
    std::string text;
    for (int number : numbers) {
        if (!text.empty())
            text += separator;
        text += std::to_string(number);
    }
    return text;
}

}  // namespace

WindowLayout ReadWindowLayout(const SettingsFile& file)
{
    WindowLayout layout;
    auto number = [&](const char* name, char separator) {
        auto value = file.Get(kWindowSection, name);
        return value ? NumbersIn(*value, separator) : std::nullopt;
    };
    if (auto size = number("Size", 'x'); size && size->size() == 2 && (*size)[0] > 0 && (*size)[1] > 0) {
        layout.width = (*size)[0];
        layout.height = (*size)[1];
    }
    layout.maximized = file.Get(kWindowSection, "Maximized") == std::optional<std::string>("1");
    if (auto widths = number("Columns", ','))
        layout.columnWidths = *widths;
    if (auto sort = file.Get(kWindowSection, "Sort"); sort && !sort->empty()) {
        layout.descending = sort->back() == 'v';
        if (auto column = NumbersIn(sort->substr(0, sort->size() - 1), ','); column && column->size() == 1)
            layout.sortColumn = column->front();
    }
    return layout;
}

bool WriteWindowLayout(const SettingsFile& file, const WindowLayout& layout)
{
    // The sort is the column and ^ for upwards or v for downwards, -1 for none.
    const std::string sort = std::to_string(layout.sortColumn) + (layout.descending ? "v" : "^");
    return file.Set(kWindowSection, "Size", std::to_string(layout.width) + "x" + std::to_string(layout.height)) &&
           file.Set(kWindowSection, "Maximized", layout.maximized ? "1" : "0") &&
           file.Set(kWindowSection, "Columns", Joined(layout.columnWidths, ',')) &&
           file.Set(kWindowSection, "Sort", sort);
}

}  // namespace thld
