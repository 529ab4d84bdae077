#pragma once
// The window's size, its column widths and its sort order, kept between runs in the program's
// settings file, in a section of their own.

#include <optional>
#include <string>
#include <vector>

#include "game/settings_file.h"

namespace thld {

inline constexpr const char* kWindowSection = "Window";

struct WindowLayout {
    int width = 0;  // in the platform's device-independent pixels; 0 when not known
    int height = 0;
    bool maximized = false;
    std::vector<int> columnWidths;  // from the first column on
    int sortColumn = -1;            // -1: the order of cache.ini
    bool descending = false;
};

// What the file holds; a value that is missing or can't be read keeps its default.
WindowLayout ReadWindowLayout(const SettingsFile& file);
// False when the file can't be written.
bool WriteWindowLayout(const SettingsFile& file, const WindowLayout& layout);

}  // namespace thld
