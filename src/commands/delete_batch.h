#pragma once
// Deletes carried out a batch at a time: in a run of many Delete steps that no question stops
// between, each step is checked on the disk as it comes (CheckDelete) and waits; a batch is carried
// out as one recorded step (DeleteCachedPackages: one record, one rewrite of cache.ini) when it is
// full, before any other step, and at the end of the run. Each package still ends either in the
// cache with its line or gone without it; the outcome of a waiting step is set once its batch is
// carried out.

#include <cstddef>
#include <vector>

#include "cache/package_steps.h"
#include "commands/run_plan.h"
#include "commands/step_actions.h"

namespace thld {

// Packages to a batch: the record of 1024 stays well inside kMaxStepJournalFileBytes.
inline constexpr std::size_t kDeleteBatchSize = 1024;

class DeleteBatch {
public:
    DeleteBatch(StepContext& context, RunReport& report) : context_(context), report_(report) {}

    // Checks step `index` and lets it wait, carrying the batch out once it is full. False when the
    // run must end: a failure, which the outcomes tell.
    bool Add(std::size_t index, const PlannedStep& step);
    // Carries out the steps that wait, if any. False when the run must end.
    bool CarryOutWaiting();

private:
    StepContext& context_;
    RunReport& report_;
    std::vector<std::size_t> waiting_;  // step indices
    std::vector<CachedDeletion> deletions_;
};

}  // namespace thld
