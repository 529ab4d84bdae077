#pragma once
// A UserPrompt that answers from a script and records what it was asked and told, for the tests
// of the commands and of the windows.

#include <deque>
#include <string>
#include <vector>

#include "commands/user_prompt.h"

namespace thld::test {

class ScriptedPrompt : public UserPrompt {
public:
    struct Question {
        std::string title;
        std::string message;
    };

    explicit ScriptedPrompt(std::deque<bool> script = {}) : answers(std::move(script)) {}
    // The next answer; a question beyond the script fails the test and is answered No.
    bool Confirm(const std::string& title, const std::string& message) override;
    void Tell(const std::string& message) override;
    bool AsksTheUser() const override { return asks; }
    bool ListsAgainWhenChanged() const override { return listsAgain; }

    std::vector<std::string> Titles() const;

    std::deque<bool> answers;  // those still to give
    bool asks = true;          // false: every question answered Yes unasked, as tallyhold --yes does
    bool listsAgain = true;    // false: as the command line, which ends when cache.ini has changed
    std::vector<Question> questions;
    std::vector<std::string> told;
    // Everything in order: "? title: message" for a question, "! message" for a message.
    std::vector<std::string> said;
};

}  // namespace thld::test
