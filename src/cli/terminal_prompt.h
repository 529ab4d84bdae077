#pragma once
// The commands' questions and messages on the terminal: each question is shown with its title and
// answered on standard input: y or yes for Yes; a or all for Yes to it and to every later question
// of the run, which are then not asked; q or quit for No to it and to every later one, not asked
// either; anything else for No (an empty line, the end of the input). With --yes every question is
// answered Yes unasked. Messages go to standard error.

#include "cli/console_output.h"
#include "commands/user_prompt.h"

namespace thld::cli {

class TerminalPrompt : public UserPrompt {
public:
    enum class Answers {
        Asked,
        AllYes
    };
    TerminalPrompt(Console& console, Answers answers)
        : console_(console), standing_(answers == Answers::AllYes ? Standing::AllYes : Standing::Ask)
    {}

    bool Confirm(const std::string& title, const std::string& message) override;
    void Tell(const std::string& message) override;
    bool AsksTheUser() const override { return standing_ == Standing::Ask; }
    bool ListsAgainWhenChanged() const override { return false; }

    // Whether a question was answered No, or the user was told of a problem: the run did not do
    // all that was asked.
    bool FellShort() const { return saidNo_ || told_; }

private:
    enum class Standing {
        Ask,     // each question is asked
        AllYes,  // --yes, or "a" was answered
        AllNo    // "q" was answered
    };

    Console& console_;
    Standing standing_;
    bool endOfInput_ = false;
    bool saidNo_ = false;
    bool told_ = false;
};

}  // namespace thld::cli
