#pragma once
// How the window asks and tells the user: questions and messages through the commands' UserPrompt,
// and the stop message of a file error. The program answers with the platform's message boxes;
// tests answer from a script.

#include <string>

#include "commands/user_prompt.h"

namespace thld {

// The start of every question's title. A plain message is captioned with the base name of the
// program's file (tallyhold-window), as THLD.exe captions its own.
inline constexpr const char* kQuestionTitlePrefix = "Tallyhold - ";

class WindowDialogs : public UserPrompt {
public:
    // A file error (or another failure) that ended an operation.
    virtual void Stop(const std::string& message) = 0;
};

// Message boxes over the active window: questions with Yes (the default, also Enter) and No (also Escape and
// the close box), messages with OK and the warning icon, stops with the critical icon.
class MessageBoxDialogs : public WindowDialogs {
public:
    bool Confirm(const std::string& title, const std::string& message) override;
    void Tell(const std::string& message) override;
    void Stop(const std::string& message) override;
};

}  // namespace thld
