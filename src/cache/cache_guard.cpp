#include "cache/cache_guard.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "cache/cached_file.h"
#include "cache/index_encoding.h"
#include "cache/index_file.h"
#include "cache/index_scan.h"
#include "cache/index_text.h"
#include "cache/package_steps.h"
#include "platform/durable_move.h"
#include "platform/file.h"
#include "platform/folder.h"

namespace thld {

namespace {

constexpr std::string_view kAsideSuffix = ".tallyhold-old";

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// A name that stays inside its folder.
bool IsPlainName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." &&
           std::none_of(name.begin(), name.end(), [](char c) { return IsSeparator(c) || c == '\0' || c == ':'; });
}

bool SameLetters(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// `path` + ".tallyhold-old", with perhaps a number behind it.
bool IsAsideOf(std::string_view aside, std::string_view path)
{
    if (!aside.starts_with(path) || !aside.substr(path.size()).starts_with(kAsideSuffix))
        return false;
    const std::string_view number = aside.substr(path.size() + kAsideSuffix.size());
    return number.size() <= 3 && std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The place of the line's package in the game folder, as Permanent chooses it: a folder right in the
// game folder, then the value itself, or the package's name with the extension of a kind.
constexpr std::string_view kPlaceExtensions[] = {".unr", ".u", ".utx"};

bool IsPlaceInGame(std::string_view destination, std::string_view gameFolder, std::string_view value)
{
    if (gameFolder.empty() || !IsSeparator(gameFolder.back()) || !destination.starts_with(gameFolder))
        return false;
    const std::string_view rest = destination.substr(gameFolder.size());
    const auto separator = std::find_if(rest.begin(), rest.end(), IsSeparator);
    if (separator == rest.end())
        return false;
    const std::string_view folder = rest.substr(0, static_cast<std::size_t>(separator - rest.begin()));
    const std::string_view file = rest.substr(folder.size() + 1);
    if (!IsPlainName(folder) || !IsPlainName(file))
        return false;
    // The package's file, as its destination names it: the value as it is, or the package's name
    // with the extension of its kind; the case as the game's folder spells an existing file.
    if (SameLetters(file, value))
        return true;
    const std::string name = PackageNameOf(value);
    return std::any_of(std::begin(kPlaceExtensions), std::end(kPlaceExtensions),
                       [&](std::string_view extension) { return SameLetters(file, name + std::string(extension)); });
}

// A file named `value` in a folder of the game folder, as a Return takes one from there.
bool IsFileInGameFolder(std::string_view path, std::string_view gameFolder, std::string_view value)
{
    if (gameFolder.empty() || !IsSeparator(gameFolder.back()) || !path.starts_with(gameFolder))
        return false;
    const std::string_view rest = path.substr(gameFolder.size());
    const auto separator = std::find_if(rest.begin(), rest.end(), IsSeparator);
    if (separator == rest.end())
        return false;
    const std::string_view folder = rest.substr(0, static_cast<std::size_t>(separator - rest.begin()));
    return IsPlainName(folder) && IsPlainName(value) && rest.substr(folder.size() + 1) == value;
}

std::optional<StepRecord> ReadRecord(const std::string& path)
{
    auto file = InputFile::OpenUnshared(path);
    if (!file || file->Length() > kMaxStepRecordBytes)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(file->Length()), '\0');
    bytes.resize(file->ReadAt(0, bytes.data(), bytes.size()));
    return ParseStepRecord(bytes);
}

// The entry lines of cache.ini, stripped, as the program's text; nothing when it can't be read.
std::optional<std::set<std::string>> EntryLines(const std::string& cacheFolder)
{
    auto index = ReadIndexText(IndexPathOf(cacheFolder));
    if (!index)
        return std::nullopt;
    std::set<std::string> lines;
    for (const IndexLine& line : ScanIndex(index->text).body)
        if (line.IsEntry())
            lines.insert(index->LineOf(StripLineBreaks(line.text)));
    return lines;
}

// Removes a file only a rewrite in progress writes; one that won't go (a folder of that name) stays.
void RemoveIfThere(const std::string& path)
{
    try {
        if (PathExists(path))
            RemoveFile(path);
    } catch (const FileError&) {}
}

// A cached file left under its other name by an earlier run without a record: back under its name
// while its line is there, deleted once the line is gone. Copies never finished go.
void SweepLeftovers(const std::string& cacheFolder, const std::set<std::string>& lines)
{
    std::set<std::string> keys;
    for (const std::string& line : lines)
        if (auto entry = SplitEntryLine(line))
            keys.insert(entry->key);
    const std::string extension = kCachedFileExtension;
    for (const std::string& name : FolderEntries(cacheFolder)) {
        const auto suffix = name.find(kAsideSuffix);
        if (suffix == std::string::npos || !IsAsideOf(name, std::string_view(name).substr(0, suffix)))
            continue;
        const std::string original = name.substr(0, suffix);
        if (!original.ends_with(extension))
            continue;
        const std::string key = original.substr(0, original.size() - extension.size());
        try {
            if (!keys.contains(key))
                RemoveFile(cacheFolder + name);
            else if (!PathExists(cacheFolder + original))
                MoveFileNoReplace(cacheFolder + name, cacheFolder + original);
        } catch (const FileError&) {
            // Not a file this program left (a folder, a read-only file): it stays as it is.
        }
    }
}

// What a step in progress leaves in the cache folder, and only a step does.
bool IsLeftover(std::string_view name)
{
    return name == kStepRecordFileName || name == "cache.ini.new" || name == "cache.bak.new" ||
           name.find(kAsideSuffix) != std::string_view::npos;
}

// Needs the lock. Raises FileError when a step can't be settled now.
void RecoverCache(const std::string& cacheFolder, const std::string& gameFolder)
{
    if (!LeftoversIn(cacheFolder))
        return;
    const std::string recordPath = StepRecordPathOf(cacheFolder);
    RemoveIfThere(cacheFolder + "cache.ini.new");
    RemoveIfThere(cacheFolder + "cache.bak.new");
    auto lines = EntryLines(cacheFolder);
    if (!lines)
        return;  // nothing can be told without cache.ini: everything stays for a later program
    if (PathExists(recordPath)) {
        auto record = ReadRecord(recordPath);
        if (!record) {
            // Cut short before it was synced (no step had begun), or not a record of this program.
            RemoveFile(recordPath);
        } else if (IsStepOfCache(*record, cacheFolder, gameFolder)) {
            // A Delete or Move is done once its line is gone, a Return once its line is there.
            const bool lineThere = lines->contains(record->line);
            const bool done = record->kind == StepRecord::Kind::Return ? lineThere : !lineThere;
            SettleStep(*record, done ? StepEnd::Complete : StepEnd::Undo);
            RemoveFile(recordPath);
            SyncFolder(cacheFolder);
        } else {
            return;  // a step in another game folder than the one known now: left for a program that knows it
        }
    }
    SweepLeftovers(cacheFolder, *lines);
}

}  // namespace

bool IsStepOfCache(const StepRecord& record, const std::string& cacheFolder, const std::string& gameFolder)
{
    auto entry = SplitEntryLine(record.line);
    if (!entry || !IsPlainName(entry->key) || record.source != CachedFilePath(cacheFolder, entry->key))
        return false;
    if (record.kind == StepRecord::Kind::Delete)
        return record.destination.empty() && record.gameFolder.empty() && IsAsideOf(record.aside, record.source);
    if (gameFolder.empty() || record.gameFolder != gameFolder)
        return false;
    if (record.kind == StepRecord::Kind::Return)
        return record.aside.empty() && IsFileInGameFolder(record.destination, record.gameFolder, entry->value);
    return IsPlaceInGame(record.destination, record.gameFolder, entry->value) &&
           (record.aside.empty() || IsAsideOf(record.aside, record.destination));
}

std::optional<CacheGuard> CacheGuard::Take(const std::string& cacheFolder, const std::string& gameFolder,
                                           std::chrono::milliseconds wait)
{
    std::optional<ExclusiveLock> lock;
    try {
        lock = ExclusiveLock::Take(cacheFolder + kLockFileName, wait);
        if (!lock)
            return std::nullopt;
    } catch (const FileError& e) {
        // No lock file can be made where nothing else can be either: a read-only or missing folder.
        const FileErrorCause cause = e.Cause();
        if (cause != FileErrorCause::AccessDenied && cause != FileErrorCause::NotFound &&
            cause != FileErrorCause::BadPath)
            throw;
    }
    RecoverCache(cacheFolder, gameFolder);
    return CacheGuard(std::move(lock));
}

bool LeftoversIn(const std::string& cacheFolder)
{
    // The shapes of the names IsLeftover takes: the cached files themselves are never read.
    static const std::string shapes[] = {kStepRecordFileName, "cache.ini.new", "cache.bak.new",
                                         std::string("*").append(kAsideSuffix).append("*")};
    return FolderHoldsEntry(cacheFolder, IsLeftover, shapes);
}

void RecoverCacheIfIdle(const std::string& cacheFolder, const std::string& gameFolder)
{
    try {
        if (!LeftoversIn(cacheFolder))
            return;  // nothing to settle: the cache is only read, and no lock file is made
        auto lock = ExclusiveLock::Take(cacheFolder + kLockFileName, std::chrono::milliseconds(0));
        if (lock)
            RecoverCache(cacheFolder, gameFolder);
    } catch (const FileError&) {
        // Left for a later program; the listing shows the cache as it is.
    }
}

}  // namespace thld
