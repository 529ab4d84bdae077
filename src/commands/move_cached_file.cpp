#include "commands/move_cached_file.h"

#include "cache/cached_file.h"
#include "cache/index_file.h"
#include "cache/index_rewrite.h"
#include "cache/package_steps.h"
#include "commands/messages.h"
#include "platform/file.h"
#include "platform/file_link.h"
#include "platform/folder.h"

namespace thld {

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
    PackageMove step{move.entry.key + "=" + move.entry.value, move.source, move.destination.path,
                     run.folders.gameFolder};
    if (CanOpenUnshared(step.destination)) {
        if (!run.prompt.Confirm(messages::kConfirmReplaceTitle, messages::ConfirmReplace(step.destination)))
            return MoveOutcome::Stayed;
        step.replace = true;
    }
    const RemovedLine removed = MoveCachedPackage(cacheFolder, lineNumber, step);
    switch (removed.outcome) {
    case RemovedLine::Outcome::Removed:
        run.removedLines.insert(removed.text);
        return MoveOutcome::Moved;
    case RemovedLine::Outcome::Unreadable:
        run.prompt.Tell(messages::ReadError(IndexPathOf(cacheFolder)));
        return MoveOutcome::Stopped;
    case RemovedLine::Outcome::NotCreated:
        run.prompt.Tell(messages::WriteError(IndexPathOf(cacheFolder)));
        return MoveOutcome::Stopped;
    case RemovedLine::Outcome::NoSuchLine:
    case RemovedLine::Outcome::NoHeader:
        break;
    }
    return MoveOutcome::Stayed;  // the line went meanwhile: cache.ini changed under us
}

}  // namespace thld
