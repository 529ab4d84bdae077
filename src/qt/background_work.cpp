#include "qt/background_work.h"

#include <QMetaObject>

namespace thld {

BackgroundWork::BackgroundWork(QObject* receiver, Work work, Done done)
{
    thread_ = std::thread([receiver, work = std::move(work), done = std::move(done)]() mutable {
        std::exception_ptr error;
        try {
            work();
        } catch (...) {
            error = std::current_exception();
        }
        QMetaObject::invokeMethod(
            receiver, [done = std::move(done), error] { done(error); }, Qt::QueuedConnection);
    });
}

BackgroundWork::~BackgroundWork()
{
    if (thread_.joinable())
        thread_.join();
}

}  // namespace thld
