#include "cache/package_steps.h"

#include <optional>

#include "cache/index_file.h"
#include "platform/durable_move.h"
#include "platform/file.h"
#include "platform/folder.h"
#include "platform/pending_removal.h"

namespace thld {

namespace {

std::string FolderOf(const std::string& path)
{
    const auto end = path.find_last_of("/\\");
    return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

// Writes the record whole and synced; when that fails, nothing has begun and no record is left.
void WriteRecord(const std::string& cacheFolder, const StepRecord& record)
{
    const std::string path = StepRecordPathOf(cacheFolder);
    try {
        OutputFile file = OutputFile::Create(path);
        file.Write(EncodeStepRecord(record));
        file.Flush();
        file.Close();
    } catch (const FileError&) {
        try {
            if (PathExists(path))
                RemoveFile(path);
        } catch (const FileError&) {}  // a record cut short is refused when read back
        throw;
    }
    SyncFolder(cacheFolder);
}

void RemoveRecord(const std::string& cacheFolder)
{
    RemoveFile(StepRecordPathOf(cacheFolder));
    SyncFolder(cacheFolder);
}

// After a failure before the line went: the files back as they were and the record gone. Should
// that fail too, the record stays for the next program, and the first error is the one reported.
void UndoQuietly(const std::string& cacheFolder, const StepRecord& record) noexcept
{
    try {
        SettleStep(record, StepEnd::Undo);
        RemoveRecord(cacheFolder);
    } catch (const FileError&) {}
}

bool SameSize(const std::string& a, const std::string& b)
{
    auto first = InputFile::OpenUnshared(a);
    if (!first)
        return false;
    const std::uint64_t length = first->Length();
    first.reset();
    auto second = InputFile::OpenUnshared(b);
    return second && second->Length() == length;
}

// A file moved from `from` to `to` (a file it replaced waiting at `aside`, or no aside): Undo
// brings it back to `from`, Complete leaves it at `to` alone.
void SettleMove(const std::string& from, const std::string& to, const std::string& aside, StepEnd end)
{
    const std::string copy = CopyNameOf(to);
    if (PathExists(copy))
        RemoveFile(copy);
    const bool replacing = !aside.empty();
    if (end == StepEnd::Undo) {
        // Without a replaced file the destination was free when the step began; with one, the
        // destination is the step's own only once that file has been taken aside.
        const bool destinationIsOurs = !replacing || PathExists(aside);
        if (destinationIsOurs && PathExists(to)) {
            if (!PathExists(from))
                MoveFileNoReplace(to, from);
            else if (SameSize(from, to))
                RemoveFile(to);  // a copy across file systems, the source still whole
        }
        if (replacing && PathExists(aside) && !PathExists(to))
            MoveFileNoReplace(aside, to);
        return;
    }
    if (PathExists(from) && PathExists(to) && SameSize(from, to))
        RemoveFile(from);
    if (replacing && PathExists(aside))
        RemoveFile(aside);
}

}  // namespace

std::string StepRecordPathOf(const std::string& cacheFolder) { return cacheFolder + kStepRecordFileName; }

RemovedLine DeleteCachedPackage(const std::string& cacheFolder, int lineNumber, const std::string& line,
                                const std::string& file)
{
    StepRecord record{StepRecord::Kind::Delete, line, file, detail::FreeAsideName(file), "", ""};
    WriteRecord(cacheFolder, record);
    RemovedLine removed;
    try {
        std::optional<PendingRemoval> pending = PendingRemoval::Begin(file, record.aside);
        removed = RemoveEntryLine(cacheFolder, lineNumber);
        if (removed.outcome != RemovedLine::Outcome::Removed) {
            pending.reset();
            UndoQuietly(cacheFolder, record);
            return removed;
        }
        SyncFolder(cacheFolder);  // the new cache.ini is on the disk before the record can go
        if (pending)
            pending->Finish();  // should this fail, the record stays: the next program deletes the file
    } catch (const FileError&) {
        if (removed.outcome != RemovedLine::Outcome::Removed)
            UndoQuietly(cacheFolder, record);
        throw;
    }
    RemoveRecord(cacheFolder);
    return removed;
}

RemovedLine MoveCachedPackage(const std::string& cacheFolder, int lineNumber, const PackageMove& move)
{
    if (!move.replace && PathExists(move.destination))
        throw FileError(FileErrorCause::AccessDenied, move.destination);
    StepRecord record{StepRecord::Kind::Move,
                      move.line,
                      move.source,
                      move.replace ? detail::FreeAsideName(move.destination) : std::string(),
                      move.destination,
                      move.gameFolder};
    WriteRecord(cacheFolder, record);
    RemovedLine removed;
    try {
        std::optional<PendingRemoval> replaced;
        if (move.replace)
            replaced = PendingRemoval::Begin(move.destination, record.aside);
        const MoveResult how = MoveFileDurably(move.source, move.destination);
        SyncFolder(FolderOf(move.destination));
        SyncFolder(cacheFolder);
        removed = RemoveEntryLine(cacheFolder, lineNumber);
        if (removed.outcome != RemovedLine::Outcome::Removed) {
            replaced.reset();  // can't go back while the moved file is in its place: the undo puts it
            UndoQuietly(cacheFolder, record);
            return removed;
        }
        // From here on the step is done; what fails leaves the record for the next program to finish.
        SyncFolder(cacheFolder);  // the new cache.ini is on the disk before the record can go
        if (how == MoveResult::Copied)
            RemoveFile(move.source);
        if (replaced)
            replaced->Finish();
    } catch (const FileError&) {
        if (removed.outcome != RemovedLine::Outcome::Removed)
            UndoQuietly(cacheFolder, record);
        throw;
    }
    RemoveRecord(cacheFolder);
    return removed;
}

AddedLine ReturnToCache(const std::string& cacheFolder, const PackageReturn& back)
{
    if (PathExists(back.cachedFile))
        throw FileError(FileErrorCause::AccessDenied, back.cachedFile);
    const StepRecord record{StepRecord::Kind::Return, back.line,      back.cachedFile, "",
                            back.installedFile,       back.gameFolder};
    WriteRecord(cacheFolder, record);
    AddedLine added = AddedLine::NotCreated;
    try {
        const MoveResult how = MoveFileDurably(back.installedFile, back.cachedFile);
        SyncFolder(cacheFolder);
        SyncFolder(FolderOf(back.installedFile));
        added = AddEntryLine(cacheFolder, back.line);
        if (added != AddedLine::Added) {
            UndoQuietly(cacheFolder, record);
            return added;
        }
        // From here on the step is done; what fails leaves the record for the next program to finish.
        if (how == MoveResult::Copied)
            RemoveFile(back.installedFile);
    } catch (const FileError&) {
        if (added != AddedLine::Added)
            UndoQuietly(cacheFolder, record);
        throw;
    }
    RemoveRecord(cacheFolder);
    return added;
}

void SettleStep(const StepRecord& record, StepEnd end)
{
    if (record.kind == StepRecord::Kind::Delete) {
        if (end == StepEnd::Undo) {
            if (!PathExists(record.source) && PathExists(record.aside))
                MoveFileNoReplace(record.aside, record.source);
        } else if (PathExists(record.aside)) {
            RemoveFile(record.aside);
        }
        return;
    }
    if (record.kind == StepRecord::Kind::Return)
        SettleMove(record.destination, record.source, "", end);
    else
        SettleMove(record.source, record.destination, record.aside, end);
}

}  // namespace thld
