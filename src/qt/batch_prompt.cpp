#include "qt/batch_prompt.h"

#include "commands/question_kind.h"

namespace thld {

bool BatchPrompt::Confirm(const std::string& title, const std::string& message)
{
    if (KindOfQuestion(title) != QuestionKind::Package)
        return asking_.Confirm(title, message);
    if (cancelled_)
        return false;
    ++answered_;
    return true;
}

}  // namespace thld
