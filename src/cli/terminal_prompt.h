#pragma once
// The commands' questions and messages on the terminal: each question is shown with its title and
// answered on standard input, y or yes for Yes and anything else for No (an empty line, the end of
// the input); with --yes every question is answered Yes unasked. Messages go to standard error.

#include "cli/console_output.h"
#include "commands/user_prompt.h"

namespace thld::cli {

class TerminalPrompt : public UserPrompt {
public:
    enum class Answers {
        Asked,
        AllYes
    };
    TerminalPrompt(Console& console, Answers answers) : console_(console), answers_(answers) {}

    bool Confirm(const std::string& title, const std::string& message) override;
    void Tell(const std::string& message) override;
    bool AsksTheUser() const override { return answers_ != Answers::AllYes; }

    // Whether a question was answered No, or the user was told of a problem: the run did not do
    // all that was asked.
    bool FellShort() const { return saidNo_ || told_; }

private:
    Console& console_;
    Answers answers_;
    bool endOfInput_ = false;
    bool saidNo_ = false;
    bool told_ = false;
};

}  // namespace thld::cli
