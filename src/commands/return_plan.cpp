#include "commands/return_plan.h"

#include "cache/cached_file.h"
#include "cache/index_encoding.h"
#include "cache/index_file.h"
#include "cache/index_scan.h"
#include "cache/index_text.h"
#include "commands/entry_names.h"
#include "game/installed_packages.h"
#include "package/package_reader.h"
#include "platform/code_page.h"
#include "platform/file.h"
#include "platform/file_link.h"
#include "platform/folder.h"

namespace thld {

namespace {

std::string FileNameOf(const std::string& path)
{
    const auto separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

}  // namespace

std::optional<std::string> GuidOfPackage(const std::string& path)
{
    try {
        auto file = InputFile::OpenUnshared(path);
        if (!file)
            return std::nullopt;
        const PackageReading reading = ReadPackage(*file);
        if (reading.outcome != PackageReading::Outcome::Read)
            return std::nullopt;
        return reading.contents.header.guid;
    } catch (const FileError&) {
        return std::nullopt;
    }
}

std::optional<bool> HoldsGuid(const std::string& cacheFolder, const std::string& guid)
{
    if (PathExists(CachedFilePath(cacheFolder, guid)))
        return true;
    return HoldsLine(cacheFolder, guid);
}

std::optional<bool> HoldsLine(const std::string& cacheFolder, const std::string& guid)
{
    auto index = ReadIndexText(IndexPathOf(cacheFolder));
    if (!index)
        return std::nullopt;
    for (const IndexLine& line : ScanIndex(index->text).body) {
        if (!line.IsEntry())
            continue;
        const auto entry = SplitEntryLine(StripLineBreaks(line.text));
        if (entry && EqualIgnoringAsciiCase(index->NameOf(entry->key), guid))
            return true;
    }
    return false;
}

CommandPlan PlanReturn(const GameFolders& folders, const std::vector<PackageItem>& items,
                       const std::vector<bool>& ticked)
{
    CommandPlan plan{CommandPlan::Command::Return, {}};
    const InstalledPackages installed(folders.gameFolder);
    for (std::size_t i = 0; i < items.size() && i < ticked.size(); ++i) {
        if (!ticked[i])
            continue;
        PlannedStep step;
        step.name = items[i].name;
        step.item = i;
        step.ticked = i;
        if (!IsPlainFileName(items[i].key)) {
            step.what = PlannedStep::What::NotPlainName;
            plan.steps.push_back(std::move(step));
            continue;
        }
        if (items[i].summary.tables == PackageTables::Damaged ||
            items[i].summary.tables == PackageTables::NotAPackage) {
            // Whose version it is can't be told: nothing is moved for it.
            step.what = PlannedStep::What::CachedUnreadable;
            plan.steps.push_back(std::move(step));
            continue;
        }
        const auto found = installed.Check(items[i], CachedFilePath(folders.cacheFolder, items[i].key));
        const std::optional<std::string> guid =
            found.copy == InstalledCopy::None ? std::nullopt : GuidOfPackage(found.path);
        if (found.copy == InstalledCopy::None) {
            step.what = PlannedStep::What::NotInstalled;
        } else if (!guid) {
            step.what = PlannedStep::What::NoGuid;
            step.source = found.path;
        } else {
            step.name = FileNameOf(found.path);
            step.key = *guid;
            step.source = found.path;
            step.destination = CachedFilePath(folders.cacheFolder, *guid);
            if (HoldsGuid(folders.cacheFolder, *guid).value_or(false))
                step.what = PlannedStep::What::CachedAlready;
            else if (LinkAt(found.path) != LinkKind::None)
                step.what = PlannedStep::What::Link;
            else
                step.what = PlannedStep::What::Return;
        }
        plan.steps.push_back(std::move(step));
    }
    return plan;
}

CommandPlan PlanTidy(const std::vector<CacheProblem>& problems, const std::vector<bool>& chosen)
{
    CommandPlan plan{CommandPlan::Command::Tidy, {}};
    for (std::size_t i = 0; i < problems.size() && i < chosen.size(); ++i) {
        const CacheProblem& problem = problems[i];
        if (!chosen[i] || (problem.kind != CacheProblem::Kind::Stale && problem.kind != CacheProblem::Kind::Orphan))
            continue;
        PlannedStep step;
        step.what =
            problem.kind == CacheProblem::Kind::Stale ? PlannedStep::What::RemoveLine : PlannedStep::What::DeleteOrphan;
        step.name = problem.kind == CacheProblem::Kind::Stale ? problem.name : FileNameOf(problem.path);
        step.key = problem.key;
        step.source = problem.path;
        step.ticked = plan.steps.size();
        plan.steps.push_back(std::move(step));
    }
    return plan;
}

}  // namespace thld
