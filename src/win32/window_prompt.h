#pragma once
// The commands' questions and messages, answered by the user through the program's dialogs.

#include <windows.h>

#include "commands/user_prompt.h"

namespace thld {

class WindowPrompt : public UserPrompt {
public:
    explicit WindowPrompt(HWND owner) : owner_(owner) {}
    bool Confirm(const std::string& title, const std::string& message) override;
    void Tell(const std::string& message) override;

private:
    HWND owner_;
};

}  // namespace thld
