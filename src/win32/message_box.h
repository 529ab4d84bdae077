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

// What the user is told when an operation ended on an error that is no file error (`detail` is the
// error's own short text, if any).
std::string UnexpectedErrorText(const std::string& detail);

}  // namespace thld
