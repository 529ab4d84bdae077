// tallyhold check: the problems of the cache, grouped, with what can be done about each; or, with
// --json, one object for scripts (schema in docs/USAGE.md). Finding problems is no failure: the
// exit code is 0 with or without them.
#include <nlohmann/json.hpp>

#include <algorithm>

#include "cli/commands.h"
#include "cli/game_cache.h"
#include "cli/terminal_text.h"
#include "commands/fix_command.h"
#include "commands/problem_groups.h"
#include "commands/problem_lines.h"
#include "game/cache_checks.h"

namespace thld::cli {

namespace {

using Kind = CacheProblem::Kind;

// The command that fixes a problem, as the user may paste it; empty where none does.
std::string Fix(const CacheProblem& p) { return FixCommand(p).value_or(std::string()); }

// A problem's lines, indented by 2, within the width: what runs over goes on lines indented by 6; a
// key or a path too long for a line stays whole.
std::string ProblemLines(const std::string& line, std::size_t width)
{
    constexpr std::size_t kFirst = 2, kNext = 6;
    std::string lines(kFirst, ' ');
    std::string_view rest = line;
    for (;;) {
        const std::size_t end = rest.find('\n');
        std::string_view piece = rest.substr(0, end);
        while (!piece.empty() && piece.front() == ' ')
            piece.remove_prefix(1);
        lines += Wrapped(piece, kNext, width, LongWords::Kept);
        lines += '\n';
        if (end == std::string_view::npos)
            return lines;
        lines.append(kNext, ' ');
        rest.remove_prefix(end + 1);
    }
}

std::string Text(const std::vector<CacheProblem>& problems, Console& console)
{
    if (problems.empty())
        return "No problems found.\n";
    const std::size_t width = console.Width();
    std::string out;
    for (const ProblemGroup& group : kProblemGroups) {
        std::string lines;
        for (const CacheProblem& problem : problems)
            if (problem.kind == group.kind) {
                lines += ProblemLines(ProblemLine(problem), width);
                // The command stays whole, to be pasted.
                if (const std::string fix = Fix(problem); !fix.empty())
                    lines += "      fix: " + console.OutStyled(Style::Strong, PrintableText(fix)) + "\n";
            }
        if (lines.empty())
            continue;
        if (!out.empty())
            out += '\n';
        const std::string title = std::string(ProblemWord(group.kind)) + ": " + group.title;
        out += console.OutStyled(Style::Strong, WrappedLines(title, width, 2)) + "\n";
        out += lines;
        // The remedy's line breaks suit a window's width: here it is one paragraph for the terminal's.
        std::string remedy = group.remedy;
        std::replace(remedy.begin(), remedy.end(), '\n', ' ');
        out += console.OutStyled(Style::Dim, WrappedLines(remedy, width)) + "\n";
    }
    const std::size_t count = problems.size();
    return out + "\n" + std::to_string(count) + (count == 1 ? " problem.\n" : " problems.\n");
}

nlohmann::ordered_json Json(const std::vector<CacheProblem>& problems)
{
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const CacheProblem& p : problems) {
        nlohmann::ordered_json entry = {{"problem", ProblemWord(p.kind)}};
        if (!p.name.empty())
            entry["name"] = Utf8Text(p.name);
        entry["key"] = Utf8Text(p.key);
        const std::string fix = Fix(p);
        entry["fix"] = fix.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(Utf8Text(fix));
        switch (p.kind) {
        case Kind::Mismatch:
            entry["installed"] = Utf8Text(p.path);
            entry["cached_guid"] = p.cachedGuid ? nlohmann::ordered_json(*p.cachedGuid) : nlohmann::ordered_json();
            entry["installed_guid"] =
                p.installedGuid ? nlohmann::ordered_json(*p.installedGuid) : nlohmann::ordered_json();
            break;
        case Kind::Stale:
            break;
        case Kind::Orphan:
            entry["bytes"] = p.size;
            entry["kind"] = std::string(p.fileKind);
            entry["guid"] = p.guid ? nlohmann::ordered_json(*p.guid) : nlohmann::ordered_json();
            break;
        case Kind::Duplicate:
            entry["keys"] = nlohmann::ordered_json::array();
            for (const std::string& key : p.keys)
                entry["keys"].push_back(Utf8Text(key));
            break;
        case Kind::Missing:
            entry["missing"] = nlohmann::ordered_json::array();
            entry["through"] = nlohmann::ordered_json::array();
            for (const MissingImport& missing : p.missing) {
                entry["missing"].push_back(Utf8Text(missing.package));
                entry["through"].push_back(missing.through.empty() ? nlohmann::ordered_json()
                                                                   : nlohmann::ordered_json(Utf8Text(missing.through)));
            }
            break;
        case Kind::Unreadable:
            entry["bytes"] = p.size;
            entry["damaged"] = p.tables != PackageTables::NotAPackage;
            break;
        }
        list.push_back(std::move(entry));
    }
    return {{"schema", 1}, {"problems", std::move(list)}};
}

}  // namespace

int CheckCommand(const Options& options, Console& console)
{
    const Installation installation = FindGame(options.folders, false, console);
    const Listing listing = ReadCache(installation, console, InstalledCopies::Skip).listing;
    const std::vector<CacheProblem> problems = CheckCache(installation.folders, listing.items);
    if (options.json)
        console.Out(Json(problems).dump() + "\n");
    else
        console.Out(Text(problems, console));
    return kExitDone;
}

}  // namespace thld::cli
