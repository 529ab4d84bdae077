// tallyhold check: the problems of the cache, grouped, with what can be done about each; or, with
// --json, one object for scripts (schema in the README). Finding problems is no failure: the exit
// code is 0 with or without them.
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/game_cache.h"
#include "cli/terminal_text.h"
#include "commands/fix_command.h"
#include "commands/problem_groups.h"
#include "game/cache_checks.h"

namespace thld::cli {

namespace {

using Kind = CacheProblem::Kind;

std::string Line(const CacheProblem& p)
{
    const auto text = [](const std::string& raw) { return PrintableText(raw); };
    switch (p.kind) {
    case Kind::Mismatch:
        return text(p.name) + "  cached " + p.cachedGuid.value_or("(no GUID)") + "\n      installed " + text(p.path) +
               " " + p.installedGuid.value_or("(no GUID)");
    case Kind::Stale:
        return text(p.name) + "  (" + text(p.key) + ")";
    case Kind::Orphan:
        return text(p.key) + ".uxx  " + std::string(p.fileKind) + "  " + HumanSize(p.size) +
               (p.guid && *p.guid != p.key ? "  its GUID is " + *p.guid : "");
    case Kind::Duplicate: {
        std::string line = text(p.name) + "  newest " + text(p.keys.front()) + ", also";
        for (std::size_t i = 1; i < p.keys.size(); ++i)
            line += (i > 1 ? ", " : " ") + text(p.keys[i]);
        return line;
    }
    case Kind::Missing: {
        std::string line = text(p.name) + "  needs";
        for (std::size_t i = 0; i < p.missing.size(); ++i) {
            line += (i > 0 ? ", " : " ") + text(p.missing[i].package);
            if (!p.missing[i].through.empty())
                line += " (through " + text(p.missing[i].through) + ")";
        }
        return line;
    }
    case Kind::Unreadable:
        return text(p.name) + "  " + text(p.key) + ".uxx  " + HumanSize(p.size) + "  " +
               std::string(p.tables == PackageTables::NotAPackage ? "no package" : "damaged");
    }
    return {};
}

// The command that fixes a problem, as the user may paste it; empty where none does.
std::string Fix(const CacheProblem& p) { return FixCommand(p).value_or(std::string()); }

std::string Text(const std::vector<CacheProblem>& problems, Console& console)
{
    if (problems.empty())
        return "No problems found.\n";
    std::string out;
    for (const ProblemGroup& group : kProblemGroups) {
        std::string lines;
        for (const CacheProblem& problem : problems)
            if (problem.kind == group.kind) {
                lines += "  " + Line(problem) + "\n";
                if (const std::string fix = Fix(problem); !fix.empty())
                    lines += "      fix: " + console.OutStyled(Style::Strong, PrintableText(fix)) + "\n";
            }
        if (lines.empty())
            continue;
        if (!out.empty())
            out += '\n';
        out += console.OutStyled(Style::Strong, std::string(ProblemWord(group.kind)) + ": " + group.title) + "\n";
        out += lines;
        out += console.OutStyled(Style::Dim, group.remedy) + "\n";
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
