#pragma once
// One planned step carried out on its own, as the run (run_plan.h) takes it: this is the one place
// where a command changes the disk. Each command's steps are in a file of their own (delete_step.cpp,
// move_step.cpp, return_step.cpp, tidy_step.cpp).

#include <set>
#include <string>
#include <string_view>
#include <variant>

#include "cache/index_rewrite.h"
#include "cache/package_steps.h"
#include "cache/step_places.h"
#include "commands/entry_lookup.h"
#include "commands/left_in_cache.h"
#include "commands/planned_step.h"
#include "commands/run_plan.h"
#include "commands/user_prompt.h"
#include "game/game_folder.h"

namespace thld {

// What the steps of one run share.
struct StepContext {
    const GameFolders& folders;
    CommandPlan::Command command;
    UserPrompt& prompt;
    // Where the run's recorded steps may act (game_step_places.h).
    StepPlaces places;
    // The lines of cache.ini, read once for each time it changes.
    EntryLookups lookups;
    // Entry lines the user has been told about in this run, so that each is told once.
    std::set<std::string> leftAlone = {};
    // Entry lines this run has removed from cache.ini: their packages have been deleted or moved.
    std::set<std::string> removedLines = {};
};

// Carries out one step (after the user agreed to its question): a step that acts (Delete, Move,
// Return, RemoveLine, DeleteOrphan) after its checks on disk, or a step that the plan passes over,
// telling the user where the command always tells. A FileError from the disk is not caught here.
StepOutcome CarryOut(StepContext& context, const PlannedStep& step);

// Tells the user, once in the run for each entry line, that its package stays in the cache.
void TellLeftAlone(StepContext& context, const std::string& line, std::string_view name, LeftReason reason);

// The steps that change something; see run_plan.h.
StepOutcome DeleteStep(StepContext& context, const PlannedStep& step);
// Delete's checks on the disk right before it acts: the deletion to carry out, or the outcome of a
// step that won't be (the user told where the command tells). A batch of Deletes is carried out
// together (DeleteCachedPackages), each step's outcome then AfterLineRemoved.
std::variant<CachedDeletion, StepOutcome> CheckDelete(StepContext& context, const PlannedStep& step);
StepOutcome MoveStep(StepContext& context, const PlannedStep& step);
StepOutcome ReturnStep(StepContext& context, const PlannedStep& step);
StepOutcome RemoveLineStep(StepContext& context, const PlannedStep& step);
StepOutcome DeleteOrphanStep(StepContext& context, const PlannedStep& step);

// The first check of every step that acts on a package's line: its line in cache.ini as it is now
// (EntryLookups, by the step's name and key); or the outcome of a step that can't go on: cache.ini
// can't be read (the user told, the run ends), or holds no line of that name any more (passed over,
// NoLine; the user told where the command's row says so). The caller compares the key.
std::variant<EntryLine, StepOutcome> CurrentLine(StepContext& context, const PlannedStep& step);

// An outcome of a step passed over, or stopped after telling the user.
StepOutcome PassedOver(StepOutcome::Why why);
StepOutcome Stopped();
StepOutcome StepDone();
// The user told that cache.ini could not be read, or its new copy not written: the run ends.
StepOutcome IndexUnreadable(StepContext& context);
StepOutcome IndexNotWritten(StepContext& context);
// The outcome of a step that took its package's line out of cache.ini: done (the line kept as
// removed in this run), passed over when the line had gone meanwhile, or stopped after telling that
// cache.ini could not be read or written.
StepOutcome AfterLineRemoved(StepContext& context, const RemovedLine& removed);

}  // namespace thld
