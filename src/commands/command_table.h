#pragma once
// The four commands side by side, one row each, as git keeps its commands in one table: how a run
// of each asks, locks and guards (run_plan.cpp reads it), and what the front-ends show of its plan
// and name it. Whatever differs between the commands in these respects is decided here alone.

#include <cstddef>
#include <iterator>

#include "commands/planned_step.h"

namespace thld {

// What a dry run (and the command line before the first question) shows of a plan.
enum class PlanShown {
    Sizes,         // each package with its size, and the total (Delete)
    Destinations,  // each step, where each file goes, and whether a map will then load offline (Permanent)
    Steps,         // each step (Return, Tidy)
};

struct CommandPolicy {
    CommandPlan::Command command;
    const char* name;   // on the command line: "delete", "keep", "return", "tidy"
    const char* title;  // "Delete", "Permanent", "Return", "Tidy"
    // The run.
    bool asks;             // a question before the steps of each ticked package (answered Yes with --yes)
    bool noEndsRun;        // a No ends the run; otherwise it passes that question's steps over
    bool asksWithNothing;  // a question whose only step passes its package over is asked all the same
    bool takesLock;        // the run holds the cache's lock throughout (cache_change.h)
    bool guardsGame;       // nothing is asked or changed while the game or its editor runs
    bool batchesUnasked;   // answered unasked, its steps are carried out a batch at a time (delete_batch.h)
    bool tellsLineGone;    // the user is told when a package's line has gone from cache.ini meanwhile
    // The front-ends.
    PlanShown dryRun;         // what a dry run shows
    bool showsPlanFirst;      // the command line shows the plan before the first question (not with --yes)
    const char* windowTitle;  // the window's confirmation: "Delete Packages"
    const char* doing;        // "will be deleted from the cache"
    const char* done;         // "Deleted"
};

// In the order of CommandPlan::Command.
inline constexpr CommandPolicy kCommandTable[] = {
    {.command = CommandPlan::Command::Delete,
     .name = "delete",
     .title = "Delete",
     .asks = true,
     .noEndsRun = false,
     .asksWithNothing = true,
     .takesLock = true,
     .guardsGame = true,
     .batchesUnasked = true,
     .tellsLineGone = true,
     .dryRun = PlanShown::Sizes,
     .showsPlanFirst = false,
     .windowTitle = "Delete Packages",
     .doing = "will be deleted from the cache",
     .done = "Deleted"},
    {.command = CommandPlan::Command::Permanent,
     .name = "keep",
     .title = "Permanent",
     .asks = true,
     .noEndsRun = true,
     .asksWithNothing = true,
     .takesLock = true,
     .guardsGame = true,
     .batchesUnasked = false,
     .tellsLineGone = false,
     .dryRun = PlanShown::Destinations,
     .showsPlanFirst = true,
     .windowTitle = "Make Packages Permanent",
     .doing = "will be moved into the game's folders",
     .done = "Made permanent"},
    {.command = CommandPlan::Command::Return,
     .name = "return",
     .title = "Return",
     .asks = true,
     .noEndsRun = false,
     .asksWithNothing = false,
     .takesLock = true,
     .guardsGame = true,
     .batchesUnasked = false,
     .tellsLineGone = false,
     .dryRun = PlanShown::Steps,
     .showsPlanFirst = true,
     .windowTitle = "Return Packages to the Cache",
     .doing = "will be moved back into the cache",
     .done = "Returned"},
    {.command = CommandPlan::Command::Tidy,
     .name = "tidy",
     .title = "Tidy",
     .asks = true,
     .noEndsRun = false,
     .asksWithNothing = false,
     .takesLock = true,
     .guardsGame = true,
     .batchesUnasked = false,
     .tellsLineGone = false,
     .dryRun = PlanShown::Steps,
     .showsPlanFirst = true,
     .windowTitle = "Tidy the Cache",
     .doing = "will be removed from the cache",
     .done = "Tidied"},
};

static_assert([] {
    for (std::size_t i = 0; i < std::size(kCommandTable); ++i)
        if (static_cast<std::size_t>(kCommandTable[i].command) != i)
            return false;
    return true;
}());

// The row of `command`.
constexpr const CommandPolicy& PolicyOf(CommandPlan::Command command)
{
    return kCommandTable[static_cast<std::size_t>(command)];
}

}  // namespace thld
