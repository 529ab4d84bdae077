#include "cli/plan_text.h"

#include <algorithm>

#include "cli/terminal_text.h"
#include "commands/command_table.h"
#include "commands/step_words.h"
#include "commands/window_messages.h"

namespace thld::cli {

namespace {

constexpr std::size_t kNameColumns = 34;
constexpr std::size_t kKindColumns = 14;
constexpr std::size_t kSizeColumns = 9;

// The columns before the note: the number, then the name, kind and size of a package; or, where the
// steps act on files and lines, what each acts on, whole.
std::string LeadingColumns(const PlannedStep& step, const std::string& mark, const std::vector<PackageItem>& items,
                           PlanShown shown, std::size_t nameColumns)
{
    std::string line = PaddedLeft(mark, 4) + "  ";
    if (shown == PlanShown::Steps)
        return line + StepSubject(step);
    const PackageItem* item = step.item && *step.item < items.size() ? &items[*step.item] : nullptr;
    line += PaddedRight(Shortened(StepSubject(step), nameColumns), nameColumns) + "  " +
            PaddedRight(item ? std::string(item->kind) : std::string(), kKindColumns);
    if (shown == PlanShown::Sizes)
        line += "  " + PaddedLeft(item ? messages::SizeInWords(item->size) : std::string(), kSizeColumns);
    return line;
}

}  // namespace

std::string PlanLines(const CommandPlan& plan, const std::vector<PackageItem>& items, PlanDetail detail,
                      Console& console)
{
    const PlanShown shown =
        detail == PlanDetail::Requirements ? PlanShown::Destinations : PolicyOf(plan.command).dryRun;
    const std::size_t plainDepth = detail == PlanDetail::Requirements ? 1 : 0;
    std::size_t nameColumns = 0;
    for (const PlannedStep& step : plan.steps)
        nameColumns = std::max(nameColumns, Columns(StepSubject(step)));
    nameColumns = std::min(nameColumns, kNameColumns);
    std::size_t acting = 0;
    std::string lines;
    for (const PlannedStep& step : plan.steps) {
        const bool acts = step.Acts();
        std::string line = LeadingColumns(step, acts ? std::to_string(++acting) : "-", items, shown, nameColumns);
        const std::string note =
            acts ? ActingNote(step, items, plainDepth) : PassedOverReason(plan.command, step, items);
        const Style style = acts ? Style::Dim : Style::Bad;
        const bool fits = Columns(line) + 2 + Columns(note) <= console.Width();
        if (!note.empty() && fits)
            line += "  " + console.OutStyled(style, note);
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        // A note too long for the line goes below it.
        if (!note.empty() && !fits)
            line += "\n      " + console.OutStyled(style, Wrapped(note, 6, console.Width()));
        lines += line + '\n';
        const std::string target = detail == PlanDetail::AsPlanned ? StepTarget(step) : std::string();
        if (target.empty())
            continue;
        if (step.what == PlannedStep::What::Move) {
            const std::size_t room = console.Width() > 9 + 20 ? console.Width() - 9 : 20;
            lines += "      -> " + ShortenedPath(target, room);
        } else {
            lines += "      -> " + target;
        }
        if (step.replaces)
            lines += console.OutStyled(Style::Bad, " (a file is there: asks before replacing it)");
        lines += '\n';
    }
    return lines;
}

std::string ReportLines(const CommandPlan& plan, const RunReport& report, const std::vector<PackageItem>& items)
{
    std::string lines;
    for (std::size_t i = 0; i < plan.steps.size() && i < report.outcomes.size(); ++i)
        if (report.outcomes[i].result == StepOutcome::Result::Done)
            lines += StepDoneText(plan.steps[i]) + "\n";
    return lines + RunReportText(plan, report, items) + "\n";
}

}  // namespace thld::cli
