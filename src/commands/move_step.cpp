// Permanent's step: one cached file moved to its destination with its line removed from cache.ini,
// or, when that can't be done, left in the cache with its line.
#include "cache/cached_file.h"
#include "cache/index_file.h"
#include "cache/index_rewrite.h"
#include "cache/index_text.h"
#include "commands/entry_lookup.h"
#include "commands/messages.h"
#include "commands/step_actions.h"
#include "platform/file.h"
#include "platform/file_link.h"
#include "platform/folder.h"
#include "platform/pending_removal.h"

namespace thld {

namespace {

using Why = StepOutcome::Why;

// Puts a moved file back after a failure; its own failure must not hide the first one.
void MoveBack(const std::string& from, const std::string& to) noexcept
{
    try {
        MoveFileNoReplace(from, to);
    } catch (const FileError&) {}
}

// Why the step's package stays where it is, as the disk stands now; nothing when it can move.
std::optional<Why> Obstacle(StepContext& context, const PlannedStep& step, const EntryLine& line)
{
    const auto entry = SplitEntryLine(line.text);
    if (!IsPlainFileName(entry->key) || !IsPlainFileName(PackageNameOf(entry->value))) {
        TellLeftAlone(context, line.text, entry->value, LeftReason::NotPlainName);
        return Why::NotPlainName;
    }
    if (entry->key != step.key)
        return Why::OtherLine;
    if (LinkAt(step.source) != LinkKind::None) {
        TellLeftAlone(context, line.text, entry->value, LeftReason::CachedFileIsLink);
        return Why::CachedFileIsLink;
    }
    if (!PathExists(step.source))
        return Why::NoFile;
    if (LinkAt(step.destination) != LinkKind::None) {
        TellLeftAlone(context, line.text, entry->value, LeftReason::DestinationIsLink);
        return Why::DestinationIsLink;
    }
    return std::nullopt;
}

}  // namespace

// The destination's folder is made first when it is missing. When a file is at the destination
// already, asks first ("Confirm Replace File"); on No nothing changes. A replaced file waits beside
// its place until the line is gone, and is deleted only then. Whatever fails, the package ends
// either moved without its line or cached with it: when the line can't be removed, the file goes
// back to the cache (and a replaced file to its place) first; then the user is told or the
// FileError goes on.
StepOutcome MoveStep(StepContext& context, const PlannedStep& step)
{
    const std::string& cacheFolder = context.folders.cacheFolder;
    const EntryLookup found = LookUpEntry(cacheFolder, step.name, step.key);
    if (found.unreadable) {
        context.prompt.Tell(messages::ReadError(IndexPathOf(cacheFolder)));
        return Stopped();
    }
    if (!found.line)
        return PassedOver(Why::NoLine);  // moved already, or never cached
    if (auto obstacle = Obstacle(context, step, *found.line))
        return PassedOver(*obstacle);

    if (!IsFolder(step.destinationFolder))
        MakeFolder(step.destinationFolder);
    const std::string& destination = step.destination;
    std::optional<PendingRemoval> replaced;
    if (CanOpenUnshared(destination)) {
        if (!context.prompt.Confirm(messages::kConfirmReplaceTitle, messages::ConfirmReplace(destination)))
            return PassedOver(Why::ReplaceRefused);
        replaced = PendingRemoval::Begin(destination);
    }
    MoveFileNoReplace(step.source, destination);  // should it fail, `replaced` goes back in place

    RemovedLine removed;
    try {
        removed = RemoveEntryLine(cacheFolder, found.line->number);
    } catch (const FileError&) {
        MoveBack(destination, step.source);
        throw;
    }
    if (removed.outcome != RemovedLine::Outcome::Removed) {
        MoveBack(destination, step.source);
        replaced.reset();
        if (removed.outcome == RemovedLine::Outcome::Unreadable)
            context.prompt.Tell(messages::ReadError(IndexPathOf(cacheFolder)));
        else if (removed.outcome == RemovedLine::Outcome::NotCreated)
            context.prompt.Tell(messages::WriteError(IndexPathOf(cacheFolder)));
        else
            return PassedOver(Why::NoLine);  // the line went meanwhile: cache.ini changed under us
        return Stopped();
    }
    context.removedLines.insert(removed.text);
    if (replaced)
        replaced->Finish();
    return {StepOutcome::Result::Done, Why::None, std::nullopt};
}

}  // namespace thld
