#pragma once
// The one printer of plans and reports on the terminal: the steps of any command's plan, for
// `requires`, a dry run and before the questions, and what a run did. The words are the core's
// (step_words.h); this lays them out to the terminal's width.

#include <string>
#include <vector>

#include "cache/package_item.h"
#include "cli/console_output.h"
#include "commands/planned_step.h"
#include "commands/run_plan.h"

namespace thld::cli {

enum class PlanDetail {
    Requirements,  // `requires`: number, name, kind, and who requires it beyond the package shown
    AsPlanned,     // a command's plan, as its row of the command table says (sizes, destinations)
};

// One line per step: the steps that act numbered in their order, those that pass a package over
// marked "-" with the reason; a move's destination and Return's target on a line below, and with
// PlanShown::Sizes each package's size.
std::string PlanLines(const CommandPlan& plan, const std::vector<PackageItem>& items, PlanDetail detail,
                      Console& console);

// What the run did: a line for each step done, then the sentence for the whole run.
std::string ReportLines(const CommandPlan& plan, const RunReport& report, const std::vector<PackageItem>& items);

}  // namespace thld::cli
