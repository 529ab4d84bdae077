#pragma once
// What Tidy does, worked out without changing anything: from the problems the checks found
// (CheckCache), the stale lines it removes and the cached files without a line it deletes, the ones
// the user chose. The run (run_plan.h) carries the steps out.

#include <string>
#include <vector>

#include "commands/planned_step.h"
#include "game/cache_checks.h"

namespace thld {

// What the user asked Tidy to take.
struct TidySelection {
    bool stale = false;              // every stale line
    bool orphans = false;            // every cached file without a line
    std::vector<std::string> names;  // cached files without a line, each by its key or file name
};

struct TidyChoice {
    std::vector<bool> chosen;          // chosen[i] for problems[i]
    std::vector<std::string> unknown;  // the names of the selection that name no file without a line
};

// The problems Tidy takes: the stale lines with `stale`, and also when neither orphans nor names
// are asked for; every orphan with `orphans`; and the orphans named, by key or by file name
// (KEY.uxx), in any case. Other kinds are never chosen.
TidyChoice ChooseForTidy(const std::vector<CacheProblem>& problems, const TidySelection& selection);

// What the user is told of names that name no file without a line: nothing is changed then.
std::string NoSuchOrphan(const std::vector<std::string>& unknown);
// What the user is told when Tidy finds nothing to take.
inline constexpr const char* kNothingToTidy = "Nothing to tidy.";

// One step per chosen problem of CheckCache (`chosen[i]` for problems[i]), each its own question:
// RemoveLine for a stale one, DeleteOrphan for an orphan; other kinds are passed over without a
// step. Looks at no file.
CommandPlan PlanTidy(const std::vector<CacheProblem>& problems, const std::vector<bool>& chosen);

}  // namespace thld
