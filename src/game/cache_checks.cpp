#include "game/cache_checks.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <string_view>
#include <utility>

#include "cache/cached_file.h"
#include "cache/index_encoding.h"
#include "cache/index_file.h"
#include "cache/index_scan.h"
#include "cache/index_text.h"
#include "game/installed_packages.h"
#include "package/package_summary.h"
#include "platform/code_page.h"
#include "platform/folder.h"

namespace thld {

namespace {

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

// The key of a file named <32 hex digits>.uxx (the extension in any case), as named.
std::optional<std::string> GuidKeyOf(const std::string& fileName)
{
    const std::size_t digits = 32;
    const std::string_view extension = kCachedFileExtension;
    if (fileName.size() != digits + extension.size() ||
        !EqualIgnoringAsciiCase(std::string_view(fileName).substr(digits), extension))
        return std::nullopt;
    if (!std::all_of(fileName.begin(), fileName.begin() + digits, IsHexDigit))
        return std::nullopt;
    return fileName.substr(0, digits);
}

void FindMismatches(const GameFolders& folders, const std::vector<PackageItem>& items,
                    const InstalledPackages& installed, std::vector<CacheProblem>& problems)
{
    for (const PackageItem& item : items) {
        // A cached copy whose tables can't be read has no version that can be told.
        if (!IsPlainFileName(item.key) || item.summary.tables != PackageTables::Read)
            continue;
        const std::string cachedFile = CachedFilePath(folders.cacheFolder, item.key);
        InstalledPackages::Found found;
        try {
            found = installed.Check(item, cachedFile);
        } catch (const FileError&) {
            continue;
        }
        // A copy that can't be read now (the game holds it) tells nothing of its version.
        if (found.copy != InstalledCopy::Different || !CanOpenUnshared(found.path))
            continue;
        std::optional<PackageSummary> there;
        try {
            there = ReadPackageSummary(found.path);
        } catch (const FileError&) {}
        if (!there || there->tables != PackageTables::Read)
            continue;
        CacheProblem problem;
        problem.kind = CacheProblem::Kind::Mismatch;
        problem.name = item.name;
        problem.key = item.key;
        problem.path = found.path;
        if (item.summary.guid)
            problem.cachedGuid = item.summary.guid->Text();
        if (there->guid)
            problem.installedGuid = there->guid->Text();
        problems.push_back(std::move(problem));
    }
}

void FindUnreadable(const GameFolders& folders, const std::vector<PackageItem>& items,
                    std::vector<CacheProblem>& problems)
{
    for (const PackageItem& item : items) {
        if (item.summary.tables != PackageTables::Damaged && item.summary.tables != PackageTables::NotAPackage)
            continue;
        CacheProblem problem;
        problem.kind = CacheProblem::Kind::Unreadable;
        problem.name = item.name;
        problem.key = item.key;
        problem.path = CachedFilePath(folders.cacheFolder, item.key);
        problem.size = item.size;
        problem.tables = item.summary.tables;
        problems.push_back(std::move(problem));
    }
}

// The keys of every line of cache.ini that holds "=", in any section, before or after an empty
// line, upper-cased: a file one of them names is no orphan.
std::set<std::string> KeysAnywhere(const IndexText& index)
{
    std::set<std::string> keys;
    std::string_view text = index.text;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (const std::size_t equals = line.find('='); equals != std::string_view::npos)
            keys.insert(UpperAsciiText(index.NameOf(line.substr(0, equals))));
    }
    return keys;
}

// The lines of the index whose cached file is gone, where the game's file system would not find it
// in any case of letters either.
void FindStaleLines(const GameFolders& folders, const IndexText& index, const std::set<std::string>& files,
                    std::vector<CacheProblem>& problems)
{
    for (const IndexLine& line : ScanIndex(index.text).body) {
        if (!line.IsEntry())
            continue;
        const std::optional<CacheEntry> entry = SplitEntryLine(StripLineBreaks(line.text));
        if (!entry || entry->key.empty())
            continue;
        const std::string key = index.NameOf(entry->key);
        if (!IsPlainFileName(key) || files.count(UpperAsciiText(key + kCachedFileExtension)) != 0)
            continue;
        CacheProblem problem;
        problem.path = CachedFilePath(folders.cacheFolder, key);
        if (PathExists(problem.path))
            continue;  // the folder could not be read, but the file is there
        problem.kind = CacheProblem::Kind::Stale;
        problem.name = index.NameOf(entry->value);
        problem.key = key;
        problems.push_back(std::move(problem));
    }
}

void FindOrphans(const GameFolders& folders, const std::vector<std::string>& names, const std::set<std::string>& keys,
                 std::vector<CacheProblem>& problems)
{
    for (const std::string& name : names) {
        const std::optional<std::string> key = GuidKeyOf(name);
        if (!key || keys.count(UpperAsciiText(*key)) != 0)
            continue;
        CacheProblem problem;
        problem.kind = CacheProblem::Kind::Orphan;
        problem.key = *key;
        problem.path = folders.cacheFolder + name;
        auto file = InputFile::OpenUnshared(problem.path);
        if (!file)
            continue;  // a folder, a FIFO, or held by the game
        problem.size = file->Length();
        try {
            std::array<unsigned char, kKindWindowSize> window{};
            problem.fileKind = KindOfWindow(window.data(), file->ReadAt(0, window.data(), window.size()));
            const PackageSummary summary = SummaryReader().Read(*file);
            if (summary.tables == PackageTables::Read && summary.guid)
                problem.guid = summary.guid->Text();
        } catch (const FileError&) {}
        problems.push_back(std::move(problem));
    }
}

void FindDuplicates(const std::vector<PackageItem>& items, std::vector<CacheProblem>& problems)
{
    std::map<std::string, std::vector<const PackageItem*>> byName;
    std::vector<std::string> order;
    for (const PackageItem& item : items) {
        auto& group = byName[UpperAsciiText(PackageNameOf(item.name))];
        if (group.empty())
            order.push_back(UpperAsciiText(PackageNameOf(item.name)));
        group.push_back(&item);
    }
    for (const std::string& name : order) {
        std::vector<const PackageItem*>& group = byName[name];
        if (group.size() < 2)
            continue;
        std::stable_sort(group.begin(), group.end(),
                         [](const PackageItem* a, const PackageItem* b) { return a->modified > b->modified; });
        CacheProblem problem;
        problem.kind = CacheProblem::Kind::Duplicate;
        problem.name = group.front()->name;
        problem.key = group.front()->key;
        for (const PackageItem* item : group)
            problem.keys.push_back(item->key);
        problems.push_back(std::move(problem));
    }
}

void FindMissing(const std::vector<PackageItem>& items, const OfflineCheck& offline,
                 std::vector<CacheProblem>& problems)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        const PackageItem& item = items[i];
        std::optional<std::vector<MissingImport>> missing = offline.Missing(i);
        if (!missing || missing->empty())
            continue;
        CacheProblem problem;
        problem.kind = CacheProblem::Kind::Missing;
        problem.name = item.name;
        problem.key = item.key;
        problem.missing = std::move(*missing);
        problems.push_back(std::move(problem));
    }
}

}  // namespace

std::vector<CacheProblem> CheckCache(const GameFolders& folders, const std::vector<PackageItem>& items,
                                     const OfflineCheck* offline)
{
    std::vector<CacheProblem> problems;
    std::optional<InstalledPackages> installed;
    if (!folders.gameFolder.empty())
        installed.emplace(folders.gameFolder);
    if (installed)
        FindMismatches(folders, items, *installed, problems);
    std::optional<IndexText> index;
    try {
        index = ReadIndexText(IndexPathOf(folders.cacheFolder));
    } catch (const FileError&) {}
    if (index) {
        std::vector<std::string> names = FolderEntries(folders.cacheFolder);
        std::sort(names.begin(), names.end());
        std::set<std::string> files;
        for (const std::string& name : names)
            files.insert(UpperAsciiText(name));
        FindStaleLines(folders, *index, files, problems);
        FindOrphans(folders, names, KeysAnywhere(*index), problems);
    }
    FindDuplicates(items, problems);
    if (installed) {
        std::optional<OfflineCheck> own;
        if (!offline)
            offline = &own.emplace(folders, items);
        FindMissing(items, *offline, problems);
    }
    FindUnreadable(folders, items, problems);
    return problems;
}

const char* ProblemWord(CacheProblem::Kind kind)
{
    switch (kind) {
    case CacheProblem::Kind::Mismatch:
        return "mismatch";
    case CacheProblem::Kind::Stale:
        return "stale";
    case CacheProblem::Kind::Orphan:
        return "orphan";
    case CacheProblem::Kind::Duplicate:
        return "duplicate";
    case CacheProblem::Kind::Missing:
        return "missing";
    case CacheProblem::Kind::Unreadable:
        return "unreadable";
    }
    return "";
}

}  // namespace thld
