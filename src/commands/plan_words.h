#pragma once
// A plan (planned_step.h) and its run (run_plan.h) in the words of a window that asks once for the
// whole plan: what it will do, package by package, with the count and the total size and the verb
// for the button; and, once run, what it did.

#include <cstdint>
#include <string>
#include <vector>

#include "cache/package_item.h"
#include "commands/planned_step.h"
#include "commands/run_plan.h"

namespace thld {

struct PlanConfirmation {
    struct Line {
        std::string name;    // the package, or the file or line that Tidy takes
        std::string detail;  // its size, where it goes, or where it comes from
    };
    std::string title;    // "Delete Packages"
    std::string heading;  // "These 3 packages (1.2 MiB) will be deleted from the cache:"
    std::string action;   // the button that goes ahead: "Delete 3 Packages"
    std::string cancel = "Cancel";
    std::string passedOver;   // what the plan leaves where it is, and why; empty where nothing
    std::vector<Line> lines;  // every step that changes something, in the order they are taken
    std::size_t count = 0;
    std::uint64_t bytes = 0;
    std::size_t questions = 0;  // how many questions the run asks of its packages (one per ticked package)
};

// The confirmation of `plan`, whose steps name `items` (the listing the plan was made from). The
// size of a step without an item (Return's installed file, Tidy's orphan) is its file's, read from
// the disk; 0 where it can't be.
PlanConfirmation ConfirmationOf(const CommandPlan& plan, const std::vector<PackageItem>& items);

// What a run of `plan` did, from its report: "Deleted 198 of 200 packages (1.1 GiB)." and what was
// left, after Cancel or for other reasons, and whether an error ended it.
std::string RunSummary(const CommandPlan& plan, const RunReport& report, const std::vector<PackageItem>& items);

}  // namespace thld
