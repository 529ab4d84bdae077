#include "commands/problem_lines.h"

#include "commands/window_messages.h"
#include "platform/printable_text.h"

namespace thld {

namespace {

using Kind = CacheProblem::Kind;

std::string Shown(const std::string& raw) { return PrintableText(raw); }

}  // namespace

std::string ProblemLine(const CacheProblem& p)
{
    switch (p.kind) {
    case Kind::Mismatch:
        return Shown(p.name) + ": installed as " + Shown(p.path) + " (GUID " + p.installedGuid.value_or("unknown") +
               "), cached as GUID " + p.cachedGuid.value_or("unknown");
    case Kind::Stale:
        return Shown(p.name) + ": its file " + Shown(p.key) + ".uxx is gone";
    case Kind::Orphan:
        return Shown(p.key) + ".uxx: " + std::string(p.fileKind) + ", " + messages::SizeInWords(p.size) +
               (p.guid && *p.guid != p.key ? ", its GUID is " + *p.guid : "");
    case Kind::Duplicate: {
        std::string line = Shown(p.name) + ": newest " + (p.keys.empty() ? "" : Shown(p.keys.front()));
        for (std::size_t i = 1; i < p.keys.size(); ++i)
            line += (i > 1 ? ", " : ", also ") + Shown(p.keys[i]);
        return line;
    }
    case Kind::Missing: {
        std::string line = Shown(p.name) + " needs";
        for (std::size_t i = 0; i < p.missing.size(); ++i) {
            line += (i > 0 ? ", " : " ") + Shown(p.missing[i].package);
            if (!p.missing[i].through.empty())
                line += " (through " + Shown(p.missing[i].through) + ")";
        }
        return line;
    }
    case Kind::Unreadable:
        return Shown(p.name) + " (" + Shown(p.key) + ".uxx, " + messages::SizeInWords(p.size) +
               (p.tables == PackageTables::NotAPackage ? "): no package" : "): damaged");
    }
    return {};
}

std::vector<bool> ReturnTicks(const std::vector<PackageItem>& items, const std::vector<CacheProblem>& problems,
                              const std::vector<bool>& chosen)
{
    std::vector<bool> ticks(items.size(), false);
    for (std::size_t i = 0; i < problems.size() && i < chosen.size(); ++i) {
        if (!chosen[i] || problems[i].kind != Kind::Mismatch)
            continue;
        for (std::size_t n = 0; n < items.size(); ++n)
            if (items[n].key == problems[i].key)
                ticks[n] = true;
    }
    return ticks;
}

}  // namespace thld
