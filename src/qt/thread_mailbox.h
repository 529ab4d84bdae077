#pragma once
// Work handed from another thread to the thread of a window. The work waits in a queue under a
// lock of the standard library and the window's thread is woken by a queued call that carries
// nothing, so that every hand-over is one that ThreadSanitizer can follow (Qt's own event queue is
// not built for it). Work still waiting when the window goes is dropped with the mailbox.

#include <QObject>

#include <functional>
#include <mutex>
#include <vector>

namespace thld {

class ThreadMailbox : public QObject {
    Q_OBJECT

public:
    // The mailbox of `owner`, made as its child the first time; called on the owner's thread.
    static ThreadMailbox& Of(QObject* owner);

    // From any thread: `job` runs on the owner's thread, after the jobs posted before it.
    void Post(std::function<void()> job);

private:
    explicit ThreadMailbox(QObject* owner) : QObject(owner) {}
    Q_INVOKABLE void Deliver();

    std::mutex mutex_;
    std::vector<std::function<void()>> jobs_;
};

}  // namespace thld
