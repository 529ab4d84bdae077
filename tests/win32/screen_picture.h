#pragma once
// A picture of what the screen shows in a window's place, saved as a 24-bit BMP file.

#include <windows.h>

#include <string>

namespace thld::uitest {

bool SaveScreenPicture(HWND window, const std::string& path);

}  // namespace thld::uitest
