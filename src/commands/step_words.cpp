#include "commands/step_words.h"

#include "commands/command_table.h"
#include "commands/left_in_cache.h"
#include "commands/messages.h"
#include "commands/window_messages.h"
#include "platform/printable_text.h"

namespace thld {

namespace {

using What = PlannedStep::What;
using Command = CommandPlan::Command;

const std::string kStays = "stays in the cache: ";
const std::string kStaysInstalled = "stays where it is: ";
const std::string kNothingToReturn = "nothing to return: ";

std::string Count(std::size_t n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string RequiredBy(const PlannedStep& step, const std::vector<PackageItem>& items)
{
    return step.requiredBy && *step.requiredBy < items.size()
               ? "required by " + PrintableText(items[*step.requiredBy].name)
               : std::string();
}

}  // namespace

std::string StepSubject(const PlannedStep& step)
{
    switch (step.what) {
    case What::Return:
    case What::CachedAlready:
    case What::NoGuid:
        return PrintableText(step.source);
    case What::RemoveLine:
        return PrintableText(step.Line());
    case What::DeleteOrphan:
        return PrintableText(step.source);
    default:
        return PrintableText(step.name);
    }
}

std::string StepTarget(const PlannedStep& step)
{
    if (step.what == What::Move)
        return PrintableText(step.destination);
    if (step.what == What::Return)
        return PrintableText(step.destination) + ", line " + PrintableText(step.Line());
    return {};
}

std::string PassedOverReason(Command command, const PlannedStep& step, const std::vector<PackageItem>& items)
{
    const std::string by = step.requiredBy ? " (" + RequiredBy(step, items) + ")" : std::string();
    switch (step.what) {
    case What::Delete:
    case What::Move:
    case What::Return:
    case What::RemoveLine:
    case What::DeleteOrphan:
        return {};
    case What::OtherVersion:
        return kStays + "another version of it goes to the same place" + by;
    case What::SeveralVersions:
        return kStays + std::to_string(step.versions) +
               " versions are cached; tick or name (by its key) the one to take along" + by;
    case What::NotCached:
        return "not in the cache" + by;
    case What::NoDestination:
        return "no game folder takes this kind: stays in the cache" + by;
    case What::NotPlainName:
        return kStays + LeftReasonText(LeftReason::NotPlainName) + by;
    case What::Link:
        if (command == Command::Return)
            return kStaysInstalled + messages::kInstalledIsLink;
        if (command == Command::Delete)
            return kStays + LeftReasonText(LeftReason::LinkNotDeletable);
        return kStays + "its cached file, or the file it would replace, is a link" + by;
    case What::Cycle:
        return "cycle: " + RequiredBy(step, items) + ", which it requires in turn; moves once, further down";
    case What::MovedAlready:
        return "moved above" + by;
    case What::DeletedAlready:
        return "deleted above" + by;
    case What::CachedAlready:
        return kStaysInstalled + messages::GuidCachedAlready(step.key);
    case What::NotInstalled:
        return kNothingToReturn + messages::kNoInstalledCopy;
    case What::NoGuid:
        return kStaysInstalled + messages::kNoGuid;
    case What::CachedUnreadable:
        return kNothingToReturn + messages::kCachedCopyUnreadable;
    }
    return {};
}

std::string ActingNote(const PlannedStep& step, const std::vector<PackageItem>& items, std::size_t plainDepth)
{
    switch (step.what) {
    case What::Move:
    case What::Delete: {
        std::string note = step.depth > plainDepth ? RequiredBy(step, items) : std::string();
        // Of several versions, the one chosen is shown.
        if (step.versions > 1)
            note += (note.empty() ? "" : "; ") + std::string("the version ") + PrintableText(step.key) + " (of " +
                    std::to_string(step.versions) + " cached)";
        return note;
    }
    case What::RemoveLine:
        return "its line in cache.ini, whose file is gone";
    case What::DeleteOrphan:
        return "a file without a line in cache.ini";
    default:
        return {};
    }
}

std::string StepDoneText(const PlannedStep& step)
{
    switch (step.what) {
    case What::Delete:
        return "Deleted " + PrintableText(step.name);
    case What::Move:
        return "Moved " + PrintableText(step.name) + " to " + PrintableText(step.destination);
    case What::Return:
        return "Returned " + PrintableText(step.source) + " to " + PrintableText(step.destination);
    case What::RemoveLine:
        return "Removed the line " + PrintableText(step.Line());
    case What::DeleteOrphan:
        return "Deleted " + PrintableText(step.source);
    default:
        return {};
    }
}

std::string RunReportText(const CommandPlan& plan, const RunReport& report, const std::vector<PackageItem>& items)
{
    std::size_t deleted = 0, moved = 0, returned = 0, removed = 0, orphans = 0;
    std::uint64_t freed = 0;
    for (std::size_t i = 0; i < plan.steps.size() && i < report.outcomes.size(); ++i) {
        if (report.outcomes[i].result != StepOutcome::Result::Done)
            continue;
        const PlannedStep& step = plan.steps[i];
        switch (step.what) {
        case What::Delete:
            ++deleted;
            freed += step.item && *step.item < items.size() ? items[*step.item].size : 0;
            break;
        case What::Move:
            ++moved;
            break;
        case What::Return:
            ++returned;
            break;
        case What::RemoveLine:
            ++removed;
            break;
        case What::DeleteOrphan:
            ++orphans;
            break;
        default:
            break;
        }
    }
    std::vector<std::string> done;
    if (deleted > 0)
        done.push_back("deleted " + Count(deleted, "package", "packages") + ", " + messages::SizeInWords(freed) +
                       " freed");
    if (moved > 0)
        done.push_back("made " + Count(moved, "package", "packages") + " permanent");
    if (returned > 0)
        done.push_back("returned " + Count(returned, "package", "packages") + " to the cache");
    if (removed > 0)
        done.push_back("removed " + Count(removed, "stale line", "stale lines"));
    if (orphans > 0)
        done.push_back("deleted " + Count(orphans, "file without a line", "files without a line"));
    if (done.empty()) {
        switch (plan.command) {
        case Command::Delete:
            return "Nothing was deleted.";
        case Command::Permanent:
            return "Nothing was made permanent.";
        case Command::Return:
        case Command::Tidy:
            return "Nothing was changed.";
        }
    }
    std::string text = done.front();
    for (std::size_t i = 1; i < done.size(); ++i)
        text += (i + 1 == done.size() ? " and " : ", ") + done[i];
    text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text + ".";
}

std::string PlanHeading(const CommandPlan& plan, bool dryRun)
{
    const CommandPolicy& policy = PolicyOf(plan.command);
    if (dryRun && policy.dryRun == PlanShown::Sizes) {
        std::size_t acting = 0;
        for (const PlannedStep& step : plan.steps)
            acting += step.Acts();
        return std::string(policy.title) + " would remove " + Count(acting, "package", "packages") + ":";
    }
    return std::string(policy.title) + (dryRun ? " would take these steps:" : " takes these steps:");
}

std::string DryRunEnd(const CommandPlan& plan, const std::vector<PackageItem>& items)
{
    if (PolicyOf(plan.command).dryRun != PlanShown::Sizes)
        return "Nothing was changed (--dry-run).";
    std::uint64_t bytes = 0;
    for (const PlannedStep& step : plan.steps)
        if (step.Acts() && step.item && *step.item < items.size())
            bytes += items[*step.item].size;
    return "together " + messages::SizeInWords(bytes) + "; nothing was changed (--dry-run).";
}

}  // namespace thld
