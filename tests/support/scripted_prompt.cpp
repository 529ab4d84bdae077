#include "support/scripted_prompt.h"

#include <gtest/gtest.h>

namespace thld::test {

bool ScriptedPrompt::Confirm(const std::string& title, const std::string& message)
{
    if (!asks)
        return true;  // as --yes answers: unasked, unrecorded
    questions.push_back({title, message});
    said.push_back("? " + title + ": " + message);
    if (answers.empty()) {
        ADD_FAILURE() << "an unexpected question: " << title << ": " << message;
        return false;
    }
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedPrompt::Tell(const std::string& message)
{
    told.push_back(message);
    said.push_back("! " + message);
}

std::vector<std::string> ScriptedPrompt::Titles() const
{
    std::vector<std::string> titles;
    for (const Question& q : questions)
        titles.push_back(q.title);
    return titles;
}

}  // namespace thld::test
