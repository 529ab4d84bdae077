#include "qt/cross_thread_prompt.h"

#include <QMetaObject>

namespace thld {

bool CrossThreadPrompt::Confirm(const std::string& title, const std::string& message)
{
    bool yes = false;
    QMetaObject::invokeMethod(
        window_, [&] { yes = prompt_.Confirm(title, message); }, Qt::BlockingQueuedConnection);
    return yes;
}

void CrossThreadPrompt::Tell(const std::string& message)
{
    QMetaObject::invokeMethod(
        window_, [&] { prompt_.Tell(message); }, Qt::BlockingQueuedConnection);
}

}  // namespace thld
