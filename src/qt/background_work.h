#pragma once
// One piece of work on a thread of its own, so that the window answers input meanwhile. When the
// work ends, what it threw (if anything) is handed to a function on the receiver's thread, through
// the receiver's mailbox (thread_mailbox.h). The receiver must outlive this object (its destructor
// waits for the thread); a hand-over still queued when the receiver is destroyed is dropped with it.

#include <QObject>

#include <exception>
#include <functional>
#include <thread>

namespace thld {

class BackgroundWork {
public:
    using Work = std::function<void()>;
    using Done = std::function<void(std::exception_ptr error)>;
    BackgroundWork(QObject* receiver, Work work, Done done);
    // Waits for the work to end.
    ~BackgroundWork();
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

private:
    std::thread thread_;
};

}  // namespace thld
