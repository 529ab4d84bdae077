#pragma once
// The window's one runner of slow work: the listing, the check of the cache, a command's plan and
// its run each go through it, one at a time, off the window's thread (BackgroundWork), so that the
// window answers input meanwhile. The end of a job is handed to the window's thread; a job whose
// end is no longer awaited (Forget, or a later Run) has its end dropped. The window must outlive it.

#include <QObject>

#include <exception>
#include <functional>
#include <memory>

namespace thld {

class BackgroundWork;

class JobRunner {
public:
    using Done = std::function<void(std::exception_ptr error)>;
    explicit JobRunner(QObject* window);
    // Waits for the running job's work to end; its end is dropped.
    ~JobRunner();
    JobRunner(const JobRunner&) = delete;
    JobRunner& operator=(const JobRunner&) = delete;

    // Runs `work` off the window's thread, then `done` on it with what `work` threw (if anything).
    // A job still running is forgotten first.
    void Run(std::function<void()> work, Done done);
    // The running job's end is dropped, once its work has ended (which this waits for).
    void Forget();
    bool Running() const { return static_cast<bool>(work_); }

private:
    QObject* window_;
    unsigned generation_ = 0;  // of the job whose end is awaited
    std::unique_ptr<BackgroundWork> work_;
};

}  // namespace thld
