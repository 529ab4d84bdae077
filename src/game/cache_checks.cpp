#include "game/cache_checks.h"

#include <algorithm>
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
#include "game/package_paths.h"
#include "package/package_reader.h"
#include "platform/code_page.h"
#include "platform/folder.h"

namespace thld {

namespace {

// What a package file says of itself; nothing when it can't be opened or read as a package.
std::optional<PackageContents> ContentsOf(const std::string& path)
{
    try {
        auto file = InputFile::OpenUnshared(path);
        if (!file)
            return std::nullopt;
        PackageReading reading = ReadPackage(*file);
        if (reading.outcome != PackageReading::Outcome::Read)
            return std::nullopt;
        return std::move(reading.contents);
    } catch (const FileError&) {
        return std::nullopt;
    }
}

// A key that names a file in the cache folder itself; the checks read no file of any other (such
// as "../../x"), which the game never writes.
bool IsPlainKey(std::string_view key)
{
    return !key.empty() && key != "." && key != ".." && key.find_first_of("/\\:") == std::string_view::npos;
}

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
        if (!IsPlainKey(item.key))
            continue;
        const std::string cachedFile = CachedFilePath(folders.cacheFolder, item.key);
        InstalledPackages::Found found;
        try {
            found = installed.Check(item, cachedFile);
        } catch (const FileError&) {
            continue;
        }
        // A copy that can't be read now (the game holds it) tells nothing of its version.
        if (found.copy != InstalledCopy::Different || !CanOpenUnshared(found.path) || !CanOpenUnshared(cachedFile))
            continue;
        CacheProblem problem;
        problem.kind = CacheProblem::Kind::Mismatch;
        problem.name = item.name;
        problem.key = item.key;
        problem.path = found.path;
        if (auto cached = ContentsOf(cachedFile))
            problem.cachedGuid = cached->header.guid;
        if (auto there = ContentsOf(found.path))
            problem.installedGuid = there->header.guid;
        // Other bytes of the same version (the same GUID) load as well as the cached ones.
        if (problem.cachedGuid && problem.installedGuid && *problem.cachedGuid == *problem.installedGuid)
            continue;
        problems.push_back(std::move(problem));
    }
}

// The lines whose cached file is gone; gives the keys of every line (upper-cased), or nothing when
// cache.ini can't be read.
std::optional<std::set<std::string>> FindStaleLines(const GameFolders& folders, std::vector<CacheProblem>& problems)
{
    std::set<std::string> keys;
    std::optional<IndexText> index;
    try {
        index = ReadIndexText(IndexPathOf(folders.cacheFolder));
    } catch (const FileError&) {}
    if (!index)
        return std::nullopt;
    for (const IndexLine& line : ScanIndex(index->text).body) {
        if (!line.IsEntry())
            continue;
        const std::optional<CacheEntry> entry = SplitEntryLine(StripLineBreaks(line.text));
        if (!entry || entry->key.empty())
            continue;
        const std::string key = index->NameOf(entry->key);
        keys.insert(UpperAsciiText(key));
        if (!IsPlainKey(key))
            continue;
        const std::string path = CachedFilePath(folders.cacheFolder, key);
        if (PathExists(path))
            continue;
        CacheProblem problem;
        problem.kind = CacheProblem::Kind::Stale;
        problem.name = index->NameOf(entry->value);
        problem.key = key;
        problem.path = path;
        problems.push_back(std::move(problem));
    }
    return keys;
}

void FindOrphans(const GameFolders& folders, const std::set<std::string>& keys, std::vector<CacheProblem>& problems)
{
    std::vector<std::string> names = FolderEntries(folders.cacheFolder);
    std::sort(names.begin(), names.end());
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
        file.reset();  // on Windows no second open succeeds while it is held
        try {
            problem.fileKind = KindOfFile(problem.path);
            if (auto contents = ContentsOf(problem.path))
                problem.guid = contents->header.guid;
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

// The numbers of named items, in their order.
std::vector<std::size_t> NumbersOf(const std::vector<std::pair<std::string_view, std::size_t>>& named)
{
    std::vector<std::size_t> numbers;
    numbers.reserve(named.size());
    for (const auto& [name, number] : named)
        numbers.push_back(number);
    return numbers;
}

// The package names of the cached packages, found without regard to ASCII case: the items (by
// number) ordered by their package name. A line whose key names no file of the cache (listed all
// the same, unread) gives the game no package.
std::vector<std::size_t> CachedNames(const std::vector<PackageItem>& items)
{
    // Sorted with each name beside its number: a sort that looked the name up in the item at each
    // comparison would spend most of its time waiting for memory.
    std::vector<std::pair<std::string_view, std::size_t>> named;
    named.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        if (IsPlainKey(items[i].key))
            named.emplace_back(PackageNameIn(items[i].name), i);
    std::sort(named.begin(), named.end(),
              [](const auto& a, const auto& b) { return LessIgnoringAsciiCase(a.first, b.first); });
    return NumbersOf(named);
}

bool IsCachedName(const std::vector<PackageItem>& items, const std::vector<std::size_t>& cached,
                  std::string_view package)
{
    const auto at = std::lower_bound(
        cached.begin(), cached.end(), package,
        [&items](std::size_t a, std::string_view b) { return LessIgnoringAsciiCase(PackageNameIn(items[a].name), b); });
    return at != cached.end() && EqualIgnoringAsciiCase(PackageNameIn(items[*at].name), package);
}

// Adds to `missing` the packages the cached file imports that are found nowhere, unless there
// already; false when the file is no readable package.
bool AddMissingImports(const GameFolders& folders, const std::vector<PackageItem>& items, std::size_t item,
                       const std::vector<std::size_t>& cached, const PackagesOnPaths& installed,
                       std::vector<std::string>& missing)
{
    if (!IsPlainKey(items[item].key))
        return false;
    const std::optional<PackageContents> contents = ContentsOf(CachedFilePath(folders.cacheFolder, items[item].key));
    if (!contents)
        return false;
    for (const std::string& package : ImportedPackages(*contents)) {
        if (IsCachedName(items, cached, package) || installed.Holds(package))
            continue;
        if (std::none_of(missing.begin(), missing.end(),
                         [&](const std::string& known) { return EqualIgnoringAsciiCase(known, package); }))
            missing.push_back(package);
    }
    return true;
}

void FindMissing(const GameFolders& folders, const std::vector<PackageItem>& items, const PackagesOnPaths& installed,
                 std::vector<CacheProblem>& problems)
{
    const std::vector<std::size_t> cached = CachedNames(items);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const PackageItem& item = items[i];
        if (item.kind != kind::Map && item.kind != kind::Script)
            continue;
        CacheProblem problem;
        problem.kind = CacheProblem::Kind::Missing;
        problem.name = item.name;
        problem.key = item.key;
        if (AddMissingImports(folders, items, i, cached, installed, problem.missing) && !problem.missing.empty())
            problems.push_back(std::move(problem));
    }
}

}  // namespace

std::vector<CacheProblem> CheckCache(const GameFolders& folders, const std::vector<PackageItem>& items)
{
    std::vector<CacheProblem> problems;
    std::optional<InstalledPackages> installed;
    if (!folders.gameFolder.empty())
        installed.emplace(folders.gameFolder);
    if (installed)
        FindMismatches(folders, items, *installed, problems);
    if (const auto keys = FindStaleLines(folders, problems))
        FindOrphans(folders, *keys, problems);
    FindDuplicates(items, problems);
    if (installed)
        FindMissing(folders, items, PackagesOnPaths(PackagePathsOf(folders.gameFolder)), problems);
    return problems;
}

std::optional<std::vector<std::string>> MissingOffline(const GameFolders& folders,
                                                       const std::vector<PackageItem>& items, std::size_t item)
{
    return OfflineCheck(folders, items).Missing(item);
}

OfflineCheck::OfflineCheck(const GameFolders& folders, const std::vector<PackageItem>& items)
    : folders_(folders), items_(items)
{}

void OfflineCheck::Gather() const
{
    if (installed_)
        return;
    installed_.emplace(PackagePathsOf(folders_.gameFolder));
    cachedNames_ = CachedNames(items_);
    std::vector<std::pair<std::string_view, std::size_t>> named;
    named.reserve(items_.size());
    for (std::size_t i = 0; i < items_.size(); ++i)
        named.emplace_back(items_[i].name, i);
    std::sort(named.begin(), named.end());  // by name, then number
    byName_ = NumbersOf(named);
}

const OfflineCheck::Found* OfflineCheck::FoundOf(std::size_t item, const std::function<bool()>& stopped) const
{
    auto known = found_.find(item);
    if (known != found_.end())
        return &known->second;
    if (stopped && stopped())
        return nullptr;
    Found found;
    found.read = AddMissingImports(folders_, items_, item, cachedNames_, *installed_, found.missing);
    for (const std::string& name : items_[item].requirements) {
        auto i = std::lower_bound(byName_.begin(), byName_.end(), name,
                                  [this](std::size_t a, const std::string& b) { return items_[a].name < b; });
        for (; i != byName_.end() && items_[*i].name == name; ++i)
            found.required.push_back(*i);
    }
    return &found_.emplace(item, std::move(found)).first->second;
}

std::optional<std::vector<std::string>> OfflineCheck::Missing(std::size_t item) const { return Missing(item, {}); }

std::optional<std::vector<std::string>> OfflineCheck::Missing(std::size_t item,
                                                              const std::function<bool()>& stopped) const
{
    if (folders_.gameFolder.empty() || item >= items_.size())
        return std::nullopt;  // nothing can be told
    const std::lock_guard lock(mutex_);
    Gather();
    const Found* first = FoundOf(item, stopped);
    if (!first || !first->read)
        return std::nullopt;
    std::vector<std::string> missing = first->missing;
    // What it requires goes along, the packages of each required name in file order; a requirement
    // whose file can't be read tells nothing more.
    std::set<std::size_t> seen{item};
    std::vector<std::size_t> next{item};
    while (!next.empty()) {
        const std::size_t at = next.back();
        next.pop_back();
        for (std::size_t required : FoundOf(at, {})->required) {  // known since it was pushed
            if (!seen.insert(required).second)
                continue;
            const Found* found = FoundOf(required, stopped);
            if (!found)
                return std::nullopt;
            next.push_back(required);
            for (const std::string& package : found->missing)
                if (std::none_of(missing.begin(), missing.end(),
                                 [&](const std::string& known) { return EqualIgnoringAsciiCase(known, package); }))
                    missing.push_back(package);
        }
    }
    return missing;
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
    }
    return "";
}

}  // namespace thld
