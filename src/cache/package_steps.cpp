#include "cache/package_steps.h"

#include <algorithm>
#include <optional>

#include "cache/journalled_step.h"
#include "platform/durable_move.h"
#include "platform/file.h"
#include "platform/folder.h"
#include "platform/path_parts.h"
#include "platform/pending_removal.h"

namespace thld {

namespace {

std::string AsideOf(const std::string& path) { return path + kAsideSuffix; }

// A file that only a step writes, left at the name this step takes: it goes first. Anything else
// of that name (a folder, a link) refuses the step before it begins.
void ClearLeftover(const std::string& path)
{
    if (PathExists(path))
        RemoveFile(path);
}

}  // namespace

RemovedLine DeleteCachedPackage(const StepPlaces& places, int lineNumber, const std::string& line,
                                const std::string& file)
{
    return DeleteCachedPackages(places, {{lineNumber, line, file}}).front();
}

std::vector<RemovedLine> DeleteCachedPackages(const StepPlaces& places, const std::vector<CachedDeletion>& deletions)
{
    std::vector<std::optional<PendingRemoval>> pending(deletions.size());
    std::vector<RemovedLine> removed;
    JournalledStep step;
    std::vector<int> numbers;
    // The lock's settling left no file aside in the cache folder: none is in the way of these.
    for (const CachedDeletion& deletion : deletions) {
        step.journals.push_back(
            {StepJournal::Kind::Delete, deletion.line, deletion.file, AsideOf(deletion.file), "", ""});
        numbers.push_back(deletion.lineNumber);
    }
    step.act = [&] {
        for (std::size_t i = 0; i < deletions.size(); ++i)
            pending[i] = PendingRemoval::BeginInPlace(deletions[i].file, AsideOf(deletions[i].file));
    };
    step.actedFolders = {places.cacheFolder};
    step.commit = [&] {
        removed = RemoveEntryLines(places.cacheFolder, numbers);
        const bool done = std::any_of(removed.begin(), removed.end(), [](const RemovedLine& line) {
            return line.outcome == RemovedLine::Outcome::Removed;
        });
        // Once the lines are gone the files must never come back: only the record settles them.
        if (done)
            for (auto& file : pending)
                if (file)
                    file->Disown();
        return done;
    };
    step.release = [&] {
        for (auto& file : pending)
            file.reset();
    };
    step.finish = [&] {
        for (auto& file : pending)
            if (file)
                file->Finish();  // should this fail, the record stays: the next program deletes the file
    };
    if (!RunJournalledStep(places, step) && removed.empty())
        removed.assign(deletions.size(), RemovedLine{RemovedLine::Outcome::NotCreated, ""});
    return removed;
}

RemovedLine MoveCachedPackage(const StepPlaces& places, int lineNumber, const PackageMove& move)
{
    if (!move.replace && PathExists(move.destination))
        throw FileError(FileErrorCause::AccessDenied, move.destination);
    if (move.replace)
        ClearLeftover(AsideOf(move.destination));
    ClearLeftover(CopyNameOf(move.destination));
    std::optional<PendingRemoval> replaced;
    MoveResult how = MoveResult::Renamed;
    RemovedLine removed;
    JournalledStep step;
    step.journals = {{StepJournal::Kind::Move, move.line, move.source,
                      move.replace ? AsideOf(move.destination) : std::string(), move.destination, places.gameFolder}};
    step.act = [&] {
        if (move.replace)
            replaced = PendingRemoval::Begin(move.destination, AsideOf(move.destination));
        how = MoveFileDurably(move.source, move.destination);
    };
    step.actedFolders = {FolderOf(move.destination), places.cacheFolder};
    step.commit = [&] {
        removed = RemoveEntryLine(places.cacheFolder, lineNumber);
        const bool done = removed.outcome == RemovedLine::Outcome::Removed;
        if (done && replaced)
            replaced->Disown();
        return done;
    };
    // Can't go back while the moved file is in its place: the undo puts it back.
    step.release = [&] { replaced.reset(); };
    step.finish = [&] {
        if (how == MoveResult::Copied)
            RemoveFile(move.source);
        if (replaced)
            replaced->Finish();
    };
    RunJournalledStep(places, step);
    return removed;
}

AddedLine ReturnToCache(const StepPlaces& places, const PackageReturn& back)
{
    if (PathExists(back.cachedFile))
        throw FileError(FileErrorCause::AccessDenied, back.cachedFile);
    ClearLeftover(CopyNameOf(back.cachedFile));
    MoveResult how = MoveResult::Renamed;
    AddedLine added = AddedLine::NotCreated;
    JournalledStep step;
    step.journals = {
        {StepJournal::Kind::Return, back.line, back.cachedFile, "", back.installedFile, places.gameFolder}};
    step.act = [&] { how = MoveFileDurably(back.installedFile, back.cachedFile); };
    step.actedFolders = {places.cacheFolder, FolderOf(back.installedFile)};
    step.commit = [&] {
        added = AddEntryLine(places.cacheFolder, back.line);
        return added == AddedLine::Added;
    };
    step.finish = [&] {
        if (how == MoveResult::Copied)
            RemoveFile(back.installedFile);
    };
    RunJournalledStep(places, step);
    return added;
}

}  // namespace thld
