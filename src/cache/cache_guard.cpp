#include "cache/cache_guard.h"

#include <algorithm>
#include <set>

#include "cache/cached_file.h"
#include "cache/index_encoding.h"
#include "cache/index_file.h"
#include "cache/index_scan.h"
#include "cache/index_text.h"
#include "cache/journalled_step.h"
#include "platform/anchored_folder.h"
#include "platform/canonical_folder.h"
#include "platform/durable_move.h"
#include "platform/file.h"
#include "platform/file_link.h"
#include "platform/folder.h"

namespace thld {

namespace {

// `path` + ".tallyhold-old", with perhaps a number behind it (as runs before the record named them).
bool IsAsideOf(std::string_view aside, std::string_view path)
{
    if (!aside.starts_with(path) || !aside.substr(path.size()).starts_with(kAsideSuffix))
        return false;
    const std::string_view number = aside.substr(path.size() + std::string_view(kAsideSuffix).size());
    return number.size() <= 3 && std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The records the file holds; nothing when it is no regular file of a record's size, can't be read
// or holds no whole records.
std::optional<std::vector<StepJournal>> ReadJournal(const std::string& path)
{
    auto file = InputFile::OpenUnshared(path);
    if (!file || file->Length() > kMaxStepJournalFileBytes)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(file->Length()), '\0');
    bytes.resize(file->ReadAt(0, bytes.data(), bytes.size()));
    return ParseStepJournals(bytes);
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
    return name == kStepJournalFileName || name == "cache.ini.new" || name == "cache.bak.new" ||
           name.find(kAsideSuffix) != std::string_view::npos;
}

// True when cache.ini holds the record's key in a line other than the record's.
bool KeyOfOtherLine(const StepJournal& journal, const std::set<std::string>& lines)
{
    const auto entry = SplitEntryLine(journal.line);
    return entry && std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
               const auto other = SplitEntryLine(line);
               return other && other->key == entry->key && line != journal.line;
           });
}

// Renames the record out of the way, under the first free name of kSetAsideJournalName's shape.
std::string SetAside(const std::string& cacheFolder)
{
    const std::string base = cacheFolder + kSetAsideJournalName;
    std::string name = base;
    for (int n = 2; PathExists(name); ++n) {
        if (n > 999)
            throw FileError(FileErrorCause::FolderFull, base);
        name = base + std::to_string(n);
    }
    MoveFileNoReplace(StepJournalPathOf(cacheFolder), name);
    SyncFolder(cacheFolder);
    return name;
}

// The record checked against the game folder given, or, with none, against the one it names.
JournalFinding Judge(const StepJournal& journal, const StepPlaces& places, const std::set<std::string>& lines,
                     std::optional<CheckedJournal>& step)
{
    using Outcome = JournalFinding::Outcome;
    JournalFinding found;
    found.journal = StepJournalPathOf(places.cacheFolder);
    found.recordedGame = journal.gameFolder;
    std::string game = places.gameFolder;
    found.outcome = Outcome::Settled;
    if (journal.kind != StepJournal::Kind::Delete) {
        if (game.empty()) {
            // A cache folder given alone: the record's own game folder is taken when it is there, and
            // the record is acted on only when its paths check out against it.
            if (!CanonicalFolder(journal.gameFolder)) {
                found.outcome = Outcome::GameNotKnown;
                return found;
            }
            game = journal.gameFolder;
            found.outcome = Outcome::SettledInRecordedGame;
        } else if (!RecordedGameFits(journal, game)) {
            found.outcome = Outcome::OtherGame;
            return found;
        }
    }
    JournalCheck check = CheckJournal(journal, places, game);
    if (check.fault == JournalFault::None && KeyOfOtherLine(journal, lines))
        check.fault = JournalFault::KeyOfOtherLine;
    if (check.fault != JournalFault::None) {
        found.outcome = Outcome::SetAside;
        found.fault = check.fault;
        return found;
    }
    step = std::move(check.step);
    return found;
}

// Needs the lock. Raises FileError when a step can't be settled now.
JournalFinding RecoverCache(const StepPlaces& places)
{
    const std::string& cacheFolder = places.cacheFolder;
    if (!LeftoversIn(cacheFolder))
        return {};
    const std::string journalPath = StepJournalPathOf(cacheFolder);
    RemoveIfThere(cacheFolder + "cache.ini.new");
    RemoveIfThere(cacheFolder + "cache.bak.new");
    auto lines = EntryLines(cacheFolder);
    if (!lines)
        return {};  // nothing can be told without cache.ini: everything stays for a later program
    JournalFinding found;
    if (PathExists(journalPath)) {
        // Only a regular file of its own is read: anything else of the record's name goes aside.
        const AnchoredFolder::Entry entry =
            AnchoredFolder::Open(places.Canonical(cacheFolder).value_or(cacheFolder)).At(kStepJournalFileName);
        if (entry != AnchoredFolder::Entry::File) {
            found.outcome = JournalFinding::Outcome::SetAside;
            found.journal = journalPath;
            found.fault = LinkAt(journalPath) != LinkKind::None ? JournalFault::Link : JournalFault::NotRegularFile;
            found.setAsideAs = SetAside(cacheFolder);
            SweepLeftovers(cacheFolder, *lines);
            return found;
        }
        auto journals = ReadJournal(journalPath);
        if (!journals) {
            // Cut short before it was synced (no step had begun): it describes no step.
            RemoveFile(journalPath);
            SyncFolder(cacheFolder);
        } else {
            // A batch is acted on only when every one of its records may be.
            std::vector<CheckedJournal> steps;
            std::set<std::string> cachedFiles;
            for (const StepJournal& journal : *journals) {
                std::optional<CheckedJournal> step;
                found = Judge(journal, places, *lines, step);
                if (step && !cachedFiles.insert(step->cachedName).second) {
                    found.outcome = JournalFinding::Outcome::SetAside;
                    found.fault = JournalFault::Repeated;
                }
                if (found.BlocksChanges())
                    return found;
                if (found.outcome == JournalFinding::Outcome::SetAside)
                    break;
                steps.push_back(std::move(*step));
            }
            if (found.outcome == JournalFinding::Outcome::SetAside) {
                found.setAsideAs = SetAside(cacheFolder);
            } else {
                // A Delete or Move is done once its line is gone, a Return once its line is there.
                for (const CheckedJournal& step : steps) {
                    const bool lineThere = lines->contains(step.line);
                    found.finished = step.kind == StepJournal::Kind::Return ? lineThere : !lineThere;
                    SettleStep(step, found.finished ? StepEnd::Complete : StepEnd::Undo);
                }
                RemoveFile(journalPath);
                SyncFolder(cacheFolder);
            }
        }
    }
    SweepLeftovers(cacheFolder, *lines);
    return found;
}

}  // namespace

std::optional<CacheGuard> CacheGuard::Take(const StepPlaces& places, std::chrono::milliseconds wait)
{
    auto lock = ExclusiveLock::Take(places.cacheFolder + kLockFileName, wait);
    if (!lock)
        return std::nullopt;
    JournalFinding found = RecoverCache(places);
    return CacheGuard(std::move(*lock), std::move(found));
}

bool LeftoversIn(const std::string& cacheFolder)
{
    // The shapes of the names IsLeftover takes: the cached files themselves are never read.
    static const std::string shapes[] = {kStepJournalFileName, "cache.ini.new", "cache.bak.new",
                                         std::string("*").append(kAsideSuffix).append("*")};
    return FolderHoldsEntry(cacheFolder, IsLeftover, shapes);
}

JournalFinding RecoverCacheIfIdle(const StepPlaces& places)
{
    try {
        if (!LeftoversIn(places.cacheFolder))
            return {};  // nothing to settle: the cache is only read, and no lock file is made
        auto lock = ExclusiveLock::Take(places.cacheFolder + kLockFileName, std::chrono::milliseconds(0));
        if (lock)
            return RecoverCache(places);
    } catch (const FileError&) {
        // Left for a later program; the listing shows the cache as it is.
    }
    return {};
}

}  // namespace thld
