#pragma once
// The prompt of a command the user has confirmed once for all its packages: the question before
// each package is answered Yes, without asking, until Cancel (then No: Delete, Return and Tidy pass
// the rest over, Permanent ends); every other question (a file to replace) and every message goes
// to the user through the prompt given. Cancel and the count of packages answered can be used from
// any thread.

#include <atomic>
#include <cstddef>

#include "commands/user_prompt.h"

namespace thld {

class BatchPrompt : public UserPrompt {
public:
    explicit BatchPrompt(UserPrompt& asking) : asking_(asking) {}

    bool Confirm(const std::string& title, const std::string& message) override;
    void Tell(const std::string& message) override { asking_.Tell(message); }

    void Cancel() { cancelled_ = true; }
    bool Cancelled() const { return cancelled_; }
    // The packages answered Yes so far.
    std::size_t Answered() const { return answered_; }

private:
    UserPrompt& asking_;
    std::atomic<bool> cancelled_{false};
    std::atomic<std::size_t> answered_{0};
};

}  // namespace thld
