#pragma once
// The one wording of a plan's steps and of a run's report, which every front-end lays out its own
// way: what a step acts on, where it takes a file, why it passes a package over, what a step did,
// and what a run did in all. The words are chosen by the step's `what`, the command, and the
// step's outcome (StepOutcome); names and paths are shown by PrintableText.

#include <cstddef>
#include <string>
#include <vector>

#include "cache/package_item.h"
#include "commands/planned_step.h"
#include "commands/run_plan.h"

namespace thld {

// What the step acts on: the package's name; Return's installed file; Tidy's line (KEY=NAME) or
// cached file.
std::string StepSubject(const PlannedStep& step);

// Where a step takes its file: a move's destination, "FILE, line KEY=NAME" for Return; empty for
// the others.
std::string StepTarget(const PlannedStep& step);

// Why the command passes the step's package over, and who required it: "stays in the cache: another
// version of it goes to the same place (required by X)", "not in the cache (required by X)",
// "cycle: required by X, which it requires in turn; moves once, further down", "stays where it is:
// it is no package with a GUID", ... Empty for a step that acts.
std::string PassedOverReason(CommandPlan::Command command, const PlannedStep& step,
                             const std::vector<PackageItem>& items);

// A note on a step that acts, where one helps: who requires a package moved deeper than
// `plainDepth` (the requirements of a package shown alone go without saying), and which version of
// several ("required by X; the version KEY (of 2 cached)"); what Tidy takes ("its line in
// cache.ini, whose file is gone", "a file without a line in cache.ini"). Empty otherwise.
std::string ActingNote(const PlannedStep& step, const std::vector<PackageItem>& items, std::size_t plainDepth = 0);

// What a step did once done: "Deleted NAME", "Moved NAME to FILE", "Returned FILE to FILE",
// "Removed the line KEY=NAME", "Deleted FILE".
std::string StepDoneText(const PlannedStep& step);

// What a run did in all, in one sentence: "Deleted 2 packages, 1.2 KiB freed.", "Made 5 packages
// permanent.", "Returned 1 package to the cache and removed 2 stale lines.", or, where nothing was
// done, "Nothing was deleted.", "Nothing was made permanent.", "Nothing was changed.".
std::string RunReportText(const CommandPlan& plan, const RunReport& report, const std::vector<PackageItem>& items);

// The heading of a plan shown before it runs ("Permanent takes these steps:") or instead
// (`dryRun`: "Delete would remove 3 packages:", "Tidy would take these steps:"), and the line after a
// dry run ("together 1.2 KiB; nothing was changed (--dry-run).", "Nothing was changed (--dry-run).").
std::string PlanHeading(const CommandPlan& plan, bool dryRun);
std::string DryRunEnd(const CommandPlan& plan, const std::vector<PackageItem>& items);

}  // namespace thld
