#include "commands/move_cached_file.h"

#include "cache/cached_file.h"
#include "cache/index_file.h"
#include "cache/index_rewrite.h"
#include "commands/messages.h"
#include "platform/file.h"
#include "platform/file_link.h"
#include "platform/folder.h"
#include "platform/pending_removal.h"

namespace thld {

namespace {

// Puts a moved file back after a failure; its own failure must not hide the first one.
void MoveBack(const std::string& from, const std::string& to) noexcept
{
    try {
        MoveFileNoReplace(from, to);
    } catch (const FileError&) {}
}

}  // namespace

std::optional<PlannedMove> PlanMove(CommandRun& run, const std::string& line)
{
    auto entry = UsableEntry(run, line, NamesUsed::KeyAndName);
    if (!entry)
        return std::nullopt;
    const std::string& cacheFolder = run.folders.cacheFolder;
    const PackageKind kind = GetPackageKind(cacheFolder, entry->key);
    auto destination = DestinationOf(run.folders.gameFolder, kind, entry->value);
    if (!destination)
        return std::nullopt;
    std::string source = CachedFilePath(cacheFolder, entry->key);
    if (LinkAt(source) != LinkKind::None) {
        TellLeftAlone(run, line, entry->value, LeftReason::CachedFileIsLink);
        return std::nullopt;
    }
    if (LinkAt(destination->path) != LinkKind::None) {
        TellLeftAlone(run, line, entry->value, LeftReason::DestinationIsLink);
        return std::nullopt;
    }
    return PlannedMove{std::move(*entry), kind, std::move(source), std::move(*destination)};
}

MoveOutcome MoveCachedFile(CommandRun& run, const PlannedMove& move, int lineNumber)
{
    const std::string& cacheFolder = run.folders.cacheFolder;
    if (lineNumber < 0)
        return MoveOutcome::Stayed;  // no line to remove: the package is no longer in the cache
    if (!IsFolder(move.destination.folder))
        MakeFolder(move.destination.folder);
    const std::string& destination = move.destination.path;
    std::optional<PendingRemoval> replaced;
    if (CanOpenUnshared(destination)) {
        if (!run.prompt.Confirm(messages::kConfirmReplaceTitle, messages::ConfirmReplace(destination)))
            return MoveOutcome::Stayed;
        replaced = PendingRemoval::Begin(destination);
    }
    MoveFileNoReplace(move.source, destination);  // should it fail, `replaced` goes back in place

    RemovedLine removed;
    try {
        removed = RemoveEntryLine(cacheFolder, lineNumber);
    } catch (const FileError&) {
        MoveBack(destination, move.source);
        throw;
    }
    if (removed.outcome != RemovedLine::Outcome::Removed) {
        MoveBack(destination, move.source);
        replaced.reset();
        if (removed.outcome == RemovedLine::Outcome::Unreadable)
            run.prompt.Tell(messages::ReadError(IndexPathOf(cacheFolder)));
        else if (removed.outcome == RemovedLine::Outcome::NotCreated)
            run.prompt.Tell(messages::WriteError(IndexPathOf(cacheFolder)));
        else
            return MoveOutcome::Stayed;  // the line went meanwhile: cache.ini changed under us
        return MoveOutcome::Stopped;
    }
    run.removedLines.insert(removed.text);
    if (replaced)
        replaced->Finish();
    return MoveOutcome::Moved;
}

}  // namespace thld
