#pragma once
// A UserPrompt for a command that runs off the window's thread: every question and message is
// asked on the window's thread, through the window's own prompt, and the command waits for the
// answer.

#include <QObject>

#include "commands/user_prompt.h"

namespace thld {

class CrossThreadPrompt : public UserPrompt {
public:
    // `window` lives on the thread that asks; `onWindowThread` is only called there.
    CrossThreadPrompt(QObject* window, UserPrompt& onWindowThread) : window_(window), prompt_(onWindowThread) {}

    // No, when the window is gone before it could ask.
    bool Confirm(const std::string& title, const std::string& message) override;
    void Tell(const std::string& message) override;

private:
    QObject* window_;
    UserPrompt& prompt_;
};

}  // namespace thld
