#pragma once
// A UserPrompt for a command that runs off the window's thread: every question and message is
// asked on the window's thread, through the window's own prompt, and the command waits for the
// answer. Before the window waits for the command to end it calls Stop, so that no question can be
// left waiting for a window that no longer answers.

#include <QObject>

#include <functional>
#include <memory>

#include "commands/user_prompt.h"

namespace thld {

class ThreadMailbox;

class CrossThreadPrompt : public UserPrompt {
public:
    // Made on the thread of `window`, which asks; `onWindowThread` is only called there, and must
    // outlive every question not yet stopped.
    CrossThreadPrompt(QObject* window, UserPrompt& onWindowThread);

    // No once stopped, and for a question still waiting when Stop comes.
    bool Confirm(const std::string& title, const std::string& message) override;
    // Dropped once stopped.
    void Tell(const std::string& message) override;

    // From the window's thread: every question waiting and to come is answered No, unasked.
    void Stop();

private:
    struct Shared;
    // Runs `ask` on the window's thread and waits for its answer, or for Stop.
    bool OnWindowThread(std::function<bool()> ask);

    ThreadMailbox& mailbox_;
    UserPrompt& prompt_;
    std::shared_ptr<Shared> shared_;
};

}  // namespace thld
