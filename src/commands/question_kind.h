#pragma once
// What a question of the commands (run_plan.h) is about, for a front-end that has asked once for a
// whole plan and answers the questions of each package itself: it still asks those that are a real
// choice of their own.

#include <string>

#include "commands/messages.h"

namespace thld {

enum class QuestionKind {
    Package,      // whether to go on with one package of the plan (delete, move, return, remove a line)
    ReplaceFile,  // whether a file at a move's destination may be replaced
    Other,
};

// The kind of the question whose title is `title`, as the commands ask it.
inline QuestionKind KindOfQuestion(const std::string& title)
{
    if (title == messages::kConfirmReplaceTitle)
        return QuestionKind::ReplaceFile;
    for (const char* package : {messages::kConfirmDeleteTitle, messages::kConfirmMoveTitle,
                                messages::kConfirmReturnTitle, messages::kConfirmRemoveLineTitle})
        if (title == package)
            return QuestionKind::Package;
    return QuestionKind::Other;
}

}  // namespace thld
