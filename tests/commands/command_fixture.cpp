#include "commands/command_fixture.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "cache/cached_file.h"
#include "package/package_kind.h"
#include "support/fake_cache.h"
#include "support/kinds.h"

namespace fs = std::filesystem;

namespace thld::test {

std::string PackageBytes(const std::string& kind, const std::string& key)
{
    return "\xC1\x83\x2A\x9E" + KindWords(kind) + std::string(600, '.') + "package " + key;
}

MoveWatch::MoveWatch()
{
    previous_ = SetDiskFaultHook([this](DiskStep step, const std::string& path) -> std::optional<FileErrorCause> {
        if (step == DiskStep::Remove)
            removals.push_back(path);
        if (step != DiskStep::Move)
            return std::nullopt;
        moves.push_back(path);
        auto failing = failing_.find(path);
        if (failing == failing_.end())
            return std::nullopt;
        FileErrorCause cause = failing->second;
        failing_.erase(failing);
        return cause;
    });
}

MoveWatch::~MoveWatch() { SetDiskFaultHook(std::move(previous_)); }

void MoveWatch::FailMoveFrom(const std::string& from, FileErrorCause cause) { failing_[from] = cause; }

std::vector<PackageItem> CommandTest::Lay(const std::vector<test::Cached>& packages)
{
    std::vector<std::string> lines;
    items.clear();
    for (const test::Cached& p : packages) {
        lines.push_back(p.key + "=" + p.value);
        if (p.kind.empty())
            continue;
        WriteFileBytes(CachedPath(p.key), PackageBytes(p.kind, p.key));
        PackageItem item;
        item.name = p.value;
        item.key = p.key;
        item.kind = GetPackageKind(folders.cacheFolder, p.key);
        item.requirements = p.requirements;
        items.push_back(item);
    }
    WriteIndex(lines);
    return items;
}

void CommandTest::WriteIndex(const std::vector<std::string>& lines) { test::WriteIndex(folders.cacheFolder, lines); }

bool CommandTest::Moved(const std::string& relative, const std::string& kind, const std::string& key) const
{
    return fs::exists(Path(relative)) && ReadFileBytes(Path(relative)) == PackageBytes(kind, key);
}

bool CommandTest::Delete(std::vector<bool> ticks, ScriptedPrompt& prompt)
{
    const RunReport report = RunPlan(folders, PlanDelete(folders, items, ticks), prompt);
    report.RaiseFailure();
    return report.agreed;
}

bool CommandTest::Permanent(std::vector<bool> ticks, ScriptedPrompt& prompt)
{
    const RunReport report = RunPlan(folders, PlanPermanent(folders, items, ticks), prompt);
    report.RaiseFailure();
    return report.agreed;
}

std::vector<Cached> ArenaPackages()
{
    return {{"KM", "Arena.unr", kMap, {"Walls.utx", "Rules.u"}},
            {"KW", "Walls.utx", kTex},
            {"KR", "Rules.u", kScript, {"Sky.utx"}},
            {"KS", "Sky.utx", kTex},
            {"KL", "Last.utx", kTex}};
}

std::map<std::string, std::string> ArenaDestinations()
{
    return {{"KM", "Maps/Arena.unr"},
            {"KW", "Textures/Walls.utx"},
            {"KR", "System/Rules.u"},
            {"KS", "Textures/Sky.utx"},
            {"KL", "Textures/Last.utx"}};
}

std::vector<Cached> ThreePackages()
{
    return {{"K1", "One.unr", std::string(kind::Map)},
            {"K2", "Two.utx", std::string(kind::Textures)},
            {"K3", "Three.u", std::string(kind::Script)}};
}

}  // namespace thld::test
