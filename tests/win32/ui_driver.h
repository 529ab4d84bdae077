#pragma once
// Driving the program's windows from another thread (or process) by window messages, the way a
// user would: find a window by its title, read its texts, press its buttons.

#include <windows.h>

#include <string>
#include <vector>

namespace thld::uitest {

inline constexpr DWORD kPatience = 15000;  // ms to wait for a window before failing

// The visible top-level windows of a process (this one by default) with this title, or of any
// title when it is empty.
std::vector<HWND> VisibleWindows(const std::string& title, DWORD processId = 0);
// Waits for one; nullptr when none came in time.
HWND WaitForWindow(const std::string& title, DWORD processId = 0, DWORD timeout = kPatience);
// Waits until the window is gone or hidden.
bool WaitUntilGone(HWND window, DWORD timeout = kPatience);
// Waits until the condition holds, checking every few milliseconds.
template <typename Condition>
bool WaitFor(Condition condition, DWORD timeout = kPatience)
{
    for (DWORD start = ::GetTickCount(); !condition();) {
        if (::GetTickCount() - start > timeout)
            return false;
        ::Sleep(10);
    }
    return true;
}

// A window's text, read as the program's text (UTF-8).
std::string TextOf(HWND window);
std::string ItemText(HWND dialog, int id);
// Presses a button as a click does (posted, so that a modal window it opens can't block us).
void Press(HWND dialog, int id);
// Posts a key press to the window, as typed while it has the focus.
void PostKey(HWND window, WORD virtualKey);

// A message box of the program, captioned "THLD".
struct MessageBoxSeen {
    std::string text;
    // The icon is told only for a box of this process: icon handles differ between processes.
    bool exclamation = false;
    bool stop = false;
};
// Waits for the message box, reads it and presses OK; empty text when none came.
MessageBoxSeen AnswerMessageBox(DWORD processId = 0);

// A Yes/No question of the program: waits for "Tallyhold - " + title, gives back its message
// (or "<no question>") and answers it.
std::string AnswerQuestion(const std::string& title, bool yes);

// The system's folder picker, known by the title text above its folder tree: true when it came
// and was cancelled.
bool CancelFolderPicker(const std::string& title);

}  // namespace thld::uitest
