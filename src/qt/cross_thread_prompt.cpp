#include "qt/cross_thread_prompt.h"

#include <condition_variable>
#include <mutex>
#include <optional>

#include "qt/thread_mailbox.h"

namespace thld {

struct CrossThreadPrompt::Shared {
    std::mutex mutex;
    std::condition_variable answered;
    bool stopped = false;
};

CrossThreadPrompt::CrossThreadPrompt(QObject* window, UserPrompt& onWindowThread)
    : mailbox_(ThreadMailbox::Of(window)), prompt_(onWindowThread), shared_(std::make_shared<Shared>())
{}

bool CrossThreadPrompt::OnWindowThread(std::function<bool()> ask)
{
    // The answer outlives this call: a question handed over may run after a Stop has released it.
    auto answer = std::make_shared<std::optional<bool>>();
    {
        std::lock_guard lock(shared_->mutex);
        if (shared_->stopped)
            return false;
    }
    mailbox_.Post([shared = shared_, answer, ask = std::move(ask)] {
        {
            std::lock_guard lock(shared->mutex);
            if (shared->stopped)
                return;
        }
        const bool yes = ask();
        std::lock_guard lock(shared->mutex);
        *answer = yes;
        shared->answered.notify_all();
    });
    std::unique_lock lock(shared_->mutex);
    shared_->answered.wait(lock, [&] { return answer->has_value() || shared_->stopped; });
    return answer->value_or(false);
}

bool CrossThreadPrompt::Confirm(const std::string& title, const std::string& message)
{
    return OnWindowThread([&prompt = prompt_, title, message] { return prompt.Confirm(title, message); });
}

void CrossThreadPrompt::Tell(const std::string& message)
{
    OnWindowThread([&prompt = prompt_, message] {
        prompt.Tell(message);
        return true;
    });
}

void CrossThreadPrompt::Stop()
{
    std::lock_guard lock(shared_->mutex);
    shared_->stopped = true;
    shared_->answered.notify_all();
}

}  // namespace thld
