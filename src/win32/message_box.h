#pragma once
// The program's message boxes: OK only, captioned with the program's name.

#include <windows.h>

#include <string>

namespace thld {

inline constexpr const char* kMessageCaption = "THLD";

// A plain message, with the exclamation icon.
void ShowMessage(HWND owner, const std::string& text);
// A file error that ended a command, with the stop icon.
void ShowFileError(HWND owner, const std::string& text);

}  // namespace thld
