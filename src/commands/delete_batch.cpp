#include "commands/delete_batch.h"

#include <variant>

namespace thld {

bool DeleteBatch::Add(std::size_t index, const PlannedStep& step)
{
    auto checked = CheckDelete(context_, step);
    if (auto* outcome = std::get_if<StepOutcome>(&checked)) {
        report_.outcomes[index] = *outcome;
        return outcome->result != StepOutcome::Result::Failed;
    }
    waiting_.push_back(index);
    deletions_.push_back(std::move(std::get<CachedDeletion>(checked)));
    return waiting_.size() < kDeleteBatchSize || CarryOutWaiting();
}

bool DeleteBatch::CarryOutWaiting()
{
    if (waiting_.empty())
        return true;
    const std::vector<std::size_t> waiting = std::move(waiting_);
    const std::vector<CachedDeletion> deletions = std::move(deletions_);
    waiting_.clear();
    deletions_.clear();
    std::vector<RemovedLine> removed;
    try {
        removed = DeleteCachedPackages(context_.places, deletions);
    } catch (const FileError& error) {
        report_.outcomes[waiting.front()] = {StepOutcome::Result::Failed, StepOutcome::Why::None, error};
        return false;
    }
    context_.lookups.Forget();
    for (std::size_t i = 0; i < waiting.size(); ++i) {
        report_.outcomes[waiting[i]] = AfterLineRemoved(context_, removed[i]);
        if (report_.outcomes[waiting[i]].result == StepOutcome::Result::Failed)
            return false;  // told once: cache.ini could not be read or written
    }
    return true;
}

}  // namespace thld
