#include "qt/job_runner.h"

#include "qt/background_work.h"

namespace thld {

JobRunner::JobRunner(QObject* window) : window_(window) {}

JobRunner::~JobRunner() { Forget(); }

void JobRunner::Run(std::function<void()> work, Done done)
{
    Forget();
    const unsigned generation = ++generation_;
    work_ = std::make_unique<BackgroundWork>(window_, std::move(work),
                                             [this, generation, done = std::move(done)](std::exception_ptr error) {
                                                 if (generation != generation_)
                                                     return;  // forgotten
                                                 work_.reset();
                                                 done(error);
                                             });
}

void JobRunner::Forget()
{
    ++generation_;
    work_.reset();
}

}  // namespace thld
