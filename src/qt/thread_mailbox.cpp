#include "qt/thread_mailbox.h"

#include <QMetaObject>

namespace thld {

ThreadMailbox& ThreadMailbox::Of(QObject* owner)
{
    if (auto* mailbox = owner->findChild<ThreadMailbox*>(QString(), Qt::FindDirectChildrenOnly))
        return *mailbox;
    return *new ThreadMailbox(owner);
}

void ThreadMailbox::Post(std::function<void()> job)
{
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    QMetaObject::invokeMethod(this, "Deliver", Qt::QueuedConnection);
}

void ThreadMailbox::Deliver()
{
    std::vector<std::function<void()>> jobs;
    {
        std::lock_guard lock(mutex_);
        jobs.swap(jobs_);
    }
    for (const std::function<void()>& job : jobs)
        job();
}

}  // namespace thld
