#include "qt/offline_answers.h"

#include "qt/thread_mailbox.h"

namespace thld {

OfflineAnswers::OfflineAnswers(QObject* parent) : QObject(parent), mailbox_(ThreadMailbox::Of(this)) {}

OfflineAnswers::~OfflineAnswers()
{
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
        ++generation_;
    }
    woken_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void OfflineAnswers::Use(std::shared_ptr<const std::vector<PackageItem>> items,
                         std::shared_ptr<const OfflineCheck> check)
{
    answers_.clear();
    asked_.clear();
    checking_ = check != nullptr;
    std::lock_guard lock(mutex_);
    ++generation_;  // stops the answer being looked for
    questions_.clear();
    items_ = std::move(items);
    check_ = std::move(check);
}

const std::optional<std::vector<MissingImport>>* OfflineAnswers::Answer(std::size_t item)
{
    if (auto answer = answers_.find(item); answer != answers_.end())
        return &answer->second;
    if (!checking_ || !asked_.insert(item).second)
        return nullptr;
    {
        std::lock_guard lock(mutex_);
        questions_.push_back(item);
        if (!thread_.joinable())
            thread_ = std::thread([this] { Work(); });
    }
    woken_.notify_one();
    return nullptr;
}

void OfflineAnswers::Work()
{
    for (;;) {
        std::unique_lock lock(mutex_);
        woken_.wait(lock, [this] { return ending_ || !questions_.empty(); });
        if (ending_)
            return;
        const std::size_t item = questions_.back();
        questions_.pop_back();
        const unsigned generation = generation_;
        // Held here while it is looked for, whatever the window takes meanwhile.
        const auto items = items_;
        const auto check = check_;
        lock.unlock();
        std::optional<std::vector<MissingImport>> answer =
            check->Missing(item, [this, generation] { return generation_ != generation; });
        if (generation_ != generation)
            continue;
        mailbox_.Post([this, generation, item, answer = std::move(answer)]() mutable {
            if (generation_ != generation)
                return;
            answers_[item] = std::move(answer);
            emit Answered(item);
        });
    }
}

}  // namespace thld
