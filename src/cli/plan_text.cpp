#include "cli/plan_text.h"

#include <algorithm>

#include "cli/terminal_text.h"

namespace thld::cli {

namespace {

constexpr std::size_t kNameColumns = 34;

std::string Name(const std::vector<PackageItem>& items, std::size_t item) { return PrintableText(items[item].name); }

std::string RequiredBy(const PlannedStep& step, const std::vector<PackageItem>& items)
{
    return step.requiredBy ? "required by " + Name(items, *step.requiredBy) : std::string();
}

// Who requires a package moved, where the lines don't make it plain: `requires` shows one package,
// so what it requires itself goes without saying.
std::string MovedFor(const PlannedStep& step, const std::vector<PackageItem>& items, PlanDetail detail)
{
    const std::size_t plainDepth = detail == PlanDetail::Requirements ? 1 : 0;
    return step.depth > plainDepth ? RequiredBy(step, items) : std::string();
}

// Why a step passes a package over, and by whom it was required.
std::string Reason(const PlannedStep& step, const std::vector<PackageItem>& items, PlanDetail detail)
{
    const std::string by = step.requiredBy ? " (" + RequiredBy(step, items) + ")" : std::string();
    switch (step.what) {
    case PlannedStep::What::Move:
    case PlannedStep::What::Delete: {
        std::string reason = MovedFor(step, items, detail);
        // Of several versions, the one chosen is shown.
        if (step.versions > 1)
            reason += (reason.empty() ? "" : "; ") + std::string("the version ") + step.key + " (of " +
                      std::to_string(step.versions) + " cached)";
        return reason;
    }
    case PlannedStep::What::OtherVersion:
        return "stays in the cache: another version of it goes to the same place" + by;
    case PlannedStep::What::SeveralVersions:
        return "stays in the cache: " + std::to_string(step.versions) +
               " versions are cached; tick or name (by its key) the one to take along" + by;
    case PlannedStep::What::NotCached:
        return "not in the cache" + by;
    case PlannedStep::What::NoDestination:
        return "no game folder takes this kind: stays in the cache" + by;
    case PlannedStep::What::NotPlainName:
        return "stays in the cache: its entry in cache.ini is not a plain file name" + by;
    case PlannedStep::What::Link:
        return "stays in the cache: its cached file, or the file it would replace, is a link" + by;
    case PlannedStep::What::Cycle:
        return "cycle: " + RequiredBy(step, items) + ", which it requires in turn; moves once, further down";
    case PlannedStep::What::MovedAlready:
        return "moved above" + by;
    case PlannedStep::What::DeletedAlready:
        return "deleted above" + by;
    case PlannedStep::What::Return:
    case PlannedStep::What::RemoveLine:
    case PlannedStep::What::DeleteOrphan:
        return std::string();
    case PlannedStep::What::CachedAlready:
        return "stays: the cache holds its GUID " + step.key + " already";
    case PlannedStep::What::NotInstalled:
        return "stays: the game's folders hold no copy of it";
    case PlannedStep::What::NoGuid:
        return "stays: the installed copy is no package with a GUID";
    case PlannedStep::What::CachedUnreadable:
        return "stays: the cached copy can't be read, so its version can't be told";
    }
    return std::string();
}

}  // namespace

std::string PlanLines(const std::vector<PlannedStep>& steps, const std::vector<PackageItem>& items, PlanDetail detail,
                      Console& console)
{
    std::size_t nameColumns = 0;
    for (const PlannedStep& step : steps)
        nameColumns = std::max(nameColumns, Columns(PrintableText(step.name)));
    nameColumns = std::min(nameColumns, kNameColumns);
    std::size_t moves = 0;
    std::string lines;
    for (const PlannedStep& step : steps) {
        const bool move = step.what == PlannedStep::What::Move;
        const std::string number = move ? std::to_string(++moves) : "-";
        const std::string kind = step.item ? std::string(items[*step.item].kind) : std::string();
        std::string line = PaddedLeft(number, 4) + "  " +
                           PaddedRight(Shortened(PrintableText(step.name), nameColumns), nameColumns) + "  " +
                           PaddedRight(kind, 14);
        const std::string reason = Reason(step, items, detail);
        const bool fits = Columns(line) + 2 + Columns(reason) <= console.Width();
        if (!reason.empty() && fits)
            line += "  " + console.OutStyled(move ? Style::Dim : Style::Bad, reason);
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        // A reason too long for the line goes below it.
        if (!reason.empty() && !fits) {
            line += "\n      ";
            line += console.OutStyled(move ? Style::Dim : Style::Bad, Wrapped(reason, 6, console.Width()));
        }
        lines += line + '\n';
        if (move && detail == PlanDetail::Destinations) {
            const std::size_t room = console.Width() > 9 + 20 ? console.Width() - 9 : 20;
            lines += "      -> " + ShortenedPath(PrintableText(step.destination), room);
            if (step.replaces)
                lines += console.OutStyled(Style::Bad, " (a file is there: asks before replacing it)");
            lines += '\n';
        }
    }
    return lines;
}

}  // namespace thld::cli
