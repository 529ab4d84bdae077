#pragma once
// Permanent's steps as lines for the terminal: `requires` shows what a package takes along,
// `keep --dry-run` and `keep` where each file goes.

#include <string>
#include <vector>

#include "cli/console_output.h"
#include "commands/permanent_plan.h"

namespace thld::cli {

enum class PlanDetail {
    Requirements,  // number, name, kind, and who requires it
    Destinations,  // and the file each becomes
};

// One line per step (two with destinations): moves numbered in their order, packages passed over
// marked "-" with the reason.
std::string PlanLines(const std::vector<PlannedStep>& steps, const std::vector<PackageItem>& items, PlanDetail detail,
                      Console& console);

}  // namespace thld::cli
