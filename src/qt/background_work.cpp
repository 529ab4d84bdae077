#include "qt/background_work.h"

#include "qt/thread_mailbox.h"

namespace thld {

BackgroundWork::BackgroundWork(QObject* receiver, Work work, Done done)
{
    thread_ =
        std::thread([&mailbox = ThreadMailbox::Of(receiver), work = std::move(work), done = std::move(done)]() mutable {
            std::exception_ptr error;
            try {
                work();
            } catch (...) {
                error = std::current_exception();
            }
            mailbox.Post([done = std::move(done), error] { done(error); });
        });
}

BackgroundWork::~BackgroundWork()
{
    if (thread_.joinable())
        thread_.join();
}

}  // namespace thld
