#pragma once
// How the window asks and tells the user: questions and messages through the commands' UserPrompt,
// and the stop message of a file error. The program answers with the platform's message boxes;
// tests answer from a script.

#include <string>

#include "commands/plan_words.h"
#include "commands/user_prompt.h"

namespace thld {

// The start of every question's title. A plain message is captioned with the base name of the
// program's file (tallyhold-window), as THLD.exe captions its own.
inline constexpr const char* kQuestionTitlePrefix = "Tallyhold - ";

class WindowDialogs : public UserPrompt {
public:
    // A file error (or another failure) that ended an operation.
    virtual void Stop(const std::string& message) = 0;
    // The one question before a command runs on its packages; true to go ahead.
    virtual bool ConfirmPlan(const PlanConfirmation& confirmation) = 0;
};

// Message boxes over the active window: questions with Yes (the default, also Enter) and No (also Escape and
// the close box), messages with OK and the warning icon, stops with the critical icon; an offer
// under its own title with its action (the default) and Cancel (also Escape); a plan's
// confirmation in its dialog (plan_dialogs.h).
class MessageBoxDialogs : public WindowDialogs {
public:
    bool Confirm(const std::string& title, const std::string& message) override;
    void Tell(const std::string& message) override;
    bool Offer(const std::string& title, const std::string& message, const std::string& action) override;
    void Stop(const std::string& message) override;
    bool ConfirmPlan(const PlanConfirmation& confirmation) override;
};

}  // namespace thld
