#include "commands/plan_words.h"

#include <set>

#include "commands/command_table.h"
#include "commands/step_words.h"
#include "commands/window_messages.h"
#include "platform/file.h"
#include "platform/file_error.h"
#include "platform/printable_text.h"

namespace thld {

namespace {

using Command = CommandPlan::Command;
using What = PlannedStep::What;

// "Delete 3 Packages", "Make 1 Package Permanent", "Return 2 Packages", "Tidy 4 Items".
std::string ActionOf(Command command, std::size_t count)
{
    const std::string number = std::to_string(count);
    const std::string packages = count == 1 ? " Package" : " Packages";
    switch (command) {
    case Command::Delete:
        return "Delete " + number + packages;
    case Command::Permanent:
        return "Make " + number + packages + " Permanent";
    case Command::Return:
        return "Return " + number + packages;
    case Command::Tidy:
        return "Tidy " + number + (count == 1 ? " Item" : " Items");
    }
    return {};
}

std::uint64_t FileLength(const std::string& path)
{
    try {
        return InputFile::Open(path).Length();
    } catch (const FileError&) {
        return 0;
    }
}

std::uint64_t SizeOf(const PlannedStep& step, const std::vector<PackageItem>& items)
{
    if (step.what == What::RemoveLine)
        return 0;
    if (step.item && *step.item < items.size() && step.what != What::Return)
        return items[*step.item].size;
    return step.source.empty() ? 0 : FileLength(step.source);
}

PlanConfirmation::Line LineOf(const PlannedStep& step, std::uint64_t bytes)
{
    const std::string size = messages::SizeInWords(bytes);
    switch (step.what) {
    case What::Move:
        return {PrintableText(step.name), size + ", to " + PrintableText(step.destinationFolder)};
    case What::Return:
        return {PrintableText(step.name), size + ", from " + PrintableText(step.source)};
    case What::RemoveLine:
        return {StepSubject(step), ActingNote(step, {})};
    case What::DeleteOrphan:
        return {StepSubject(step), size + ", " + ActingNote(step, {})};
    default:
        return {PrintableText(step.name), size};
    }
}

}  // namespace

PlanConfirmation ConfirmationOf(const CommandPlan& plan, const std::vector<PackageItem>& items)
{
    PlanConfirmation confirmation;
    const CommandPolicy& words = PolicyOf(plan.command);
    std::size_t passed = 0;
    std::set<std::size_t> asked;
    for (const PlannedStep& step : plan.steps) {
        if (!step.Acts()) {
            ++passed;
            continue;
        }
        asked.insert(step.question);
        const std::uint64_t bytes = SizeOf(step, items);
        confirmation.lines.push_back(LineOf(step, bytes));
        confirmation.bytes += bytes;
    }
    confirmation.count = confirmation.lines.size();
    confirmation.questions = asked.size();
    confirmation.title = words.windowTitle;
    const std::string what = plan.command == Command::Tidy ? (confirmation.count == 1 ? "item" : "items")
                                                           : (confirmation.count == 1 ? "package" : "packages");
    confirmation.heading = (confirmation.count == 1 ? "This " : "These ") + std::to_string(confirmation.count) + " " +
                           what + " (" + messages::SizeInWords(confirmation.bytes) + ") " + words.doing + ":";
    confirmation.action = ActionOf(plan.command, confirmation.count);
    if (passed > 0)
        confirmation.passedOver = messages::Packages(passed) + (passed == 1 ? " stays" : " stay") + " where " +
                                  (passed == 1 ? "it is" : "they are") +
                                  " (already taken, a link, or no file of its own to move).";
    return confirmation;
}

std::string RunSummary(const CommandPlan& plan, const RunReport& report, const std::vector<PackageItem>& items)
{
    std::size_t acting = 0, done = 0, refused = 0, other = 0, failed = 0;
    std::uint64_t bytes = 0;
    for (std::size_t i = 0; i < plan.steps.size(); ++i) {
        const PlannedStep& step = plan.steps[i];
        if (!step.Acts())
            continue;
        ++acting;
        const StepOutcome outcome = i < report.outcomes.size() ? report.outcomes[i] : StepOutcome{};
        switch (outcome.result) {
        case StepOutcome::Result::Done:
            ++done;
            bytes += SizeOf(step, items);
            break;
        case StepOutcome::Result::NotReached:
            ++(report.Failure() ? other : refused);
            break;
        case StepOutcome::Result::PassedOver:
            switch (outcome.why) {
            case StepOutcome::Why::Refused:  // the user said No to its question
                ++refused;
                break;
            default:
                ++other;
            }
            break;
        case StepOutcome::Result::Failed:
            ++failed;
            break;
        }
    }
    if (report.cacheChanged)
        return "Nothing was done: cache.ini changed since the cache was listed.";
    const bool tidy = plan.command == Command::Tidy;
    std::string summary = std::string(PolicyOf(plan.command).done) + " " + std::to_string(done) + " of " +
                          std::to_string(acting) + (tidy ? (acting == 1 ? " item" : " items") : "") +
                          (!tidy ? (acting == 1 ? " package" : " packages") : "") + " (" +
                          messages::SizeInWords(bytes) + ").";
    const auto left = [&summary](std::size_t n, const char* why) {
        summary.append(" ").append(std::to_string(n));
        summary.append(n == 1 ? " was left as it was" : " were left as they were").append(why);
    };
    if (refused > 0)
        left(refused, " after Cancel.");
    if (other > 0)
        left(other, ": the disk was no longer as planned.");
    if (failed > 0)
        summary += " An error ended the run.";
    return summary;
}

}  // namespace thld
