#pragma once
// How the commands ask and tell the user. The window answers with its confirmation dialog and
// message boxes; tests answer from a script.

#include <string>

namespace thld {

class UserPrompt {
public:
    virtual ~UserPrompt() = default;
    // A Yes/No question; true for Yes. The window shows the title after "Tallyhold - ".
    virtual bool Confirm(const std::string& title, const std::string& message) = 0;
    // A plain message with only an OK button.
    virtual void Tell(const std::string& message) = 0;
    // False where every question is answered Yes without asking anyone (tallyhold --yes): a run may
    // then carry out many steps together.
    virtual bool AsksTheUser() const { return true; }
    // Whether the program lists the cache again by itself when a run finds cache.ini changed since
    // it was listed (the windows do; the command line ends, and the user runs the command again).
    virtual bool ListsAgainWhenChanged() const { return true; }
    // A message that offers one thing to do, on a button of its own (`action`), beside Cancel; true
    // for `action`. Where a prompt has no such box the message is told, and taken as `action`.
    virtual bool Offer(const std::string& title, const std::string& message, const std::string& action)
    {
        (void)title;
        (void)action;
        Tell(message);
        return true;
    }
};

}  // namespace thld
