// Return's step: an installed package moved into the cache under its GUID with its line added, or,
// when that can't be done, left where it is. And Tidy's two steps: a stale line removed, a cached
// file without a line deleted.
#include "cache/cached_file.h"
#include "cache/index_file.h"
#include "cache/index_rewrite.h"
#include "cache/index_text.h"
#include "cache/package_steps.h"
#include "commands/entry_lookup.h"
#include "commands/messages.h"
#include "commands/return_plan.h"
#include "commands/step_actions.h"
#include "platform/file.h"
#include "platform/file_link.h"
#include "platform/folder.h"

namespace thld {

namespace {

using Why = StepOutcome::Why;

StepOutcome Done() { return {StepOutcome::Result::Done, Why::None, std::nullopt}; }

StepOutcome Unreadable(StepContext& context)
{
    context.prompt.Tell(messages::ReadError(IndexPathOf(context.folders.cacheFolder)));
    return Stopped();
}

StepOutcome NotWritten(StepContext& context)
{
    context.prompt.Tell(messages::WriteError(IndexPathOf(context.folders.cacheFolder)));
    return Stopped();
}

}  // namespace

// Checked right before it acts: the installed file is still there, no link, of the planned GUID,
// and the cache holds that GUID neither as a file nor as a line (the user is told when it does).
StepOutcome ReturnStep(StepContext& context, const PlannedStep& step)
{
    const std::string& cacheFolder = context.folders.cacheFolder;
    if (!PathExists(step.source))
        return PassedOver(Why::NoFile);
    if (LinkAt(step.source) != LinkKind::None) {
        context.prompt.Tell(messages::StaysInstalled(step.source, "it is a link to another file"));
        return PassedOver(Why::CachedFileIsLink);
    }
    if (GuidOfPackage(step.source) != step.key)
        return PassedOver(Why::Changed);
    const std::optional<bool> held = HoldsGuid(cacheFolder, step.key);
    if (!held)
        return Unreadable(context);
    if (*held) {
        context.prompt.Tell(messages::CachedAlready(step.source, step.key));
        return PassedOver(Why::CachedAlready);
    }
    const PackageReturn back{step.Line(), step.source, step.destination};
    switch (ReturnToCache(context.places, back)) {
    case AddedLine::Added:
        return Done();
    case AddedLine::NoHeader:
        return PassedOver(Why::NoLine);
    case AddedLine::NotWritable:
        context.prompt.Tell(messages::StaysInstalled(step.source, "cache.ini can't hold its name"));
        return PassedOver(Why::NotPlainName);
    case AddedLine::Unreadable:
        return Unreadable(context);
    case AddedLine::NotCreated:
        return NotWritten(context);
    }
    return Stopped();
}

// The line goes only while it is still there with the planned key and its file is still gone: a
// Delete whose file is gone already, one journalled step like every other (a key that names no
// plain file names no file either: its line goes in one rewrite of cache.ini).
StepOutcome RemoveLineStep(StepContext& context, const PlannedStep& step)
{
    const std::string& cacheFolder = context.folders.cacheFolder;
    const EntryLookup found = context.lookups.Find(step.name, step.key);
    if (found.IsUnreadable())
        return Unreadable(context);
    if (!found.IsFound())
        return PassedOver(Why::NoLine);
    if (SplitEntryLine(found.line.text)->key != step.key)
        return PassedOver(Why::OtherLine);
    if (PathExists(step.source))
        return PassedOver(Why::Changed);
    const RemovedLine removed = IsPlainFileName(step.key)
                                    ? DeleteCachedPackage(context.places, found.line.number, found.line.text,
                                                          CachedFilePath(cacheFolder, step.key))
                                    : RemoveEntryLine(cacheFolder, found.line.number);
    switch (removed.outcome) {
    case RemovedLine::Outcome::Removed:
        context.removedLines.insert(removed.text);
        return Done();
    case RemovedLine::Outcome::NoSuchLine:
    case RemovedLine::Outcome::NoHeader:
        return PassedOver(Why::NoLine);
    case RemovedLine::Outcome::Unreadable:
        return Unreadable(context);
    case RemovedLine::Outcome::NotCreated:
        return NotWritten(context);
    }
    return Stopped();
}

// The file goes only while it is still a file of its own without a line: one removal.
StepOutcome DeleteOrphanStep(StepContext& context, const PlannedStep& step)
{
    if (!PathExists(step.source))
        return PassedOver(Why::NoFile);
    if (LinkAt(step.source) != LinkKind::None) {
        TellLeftAlone(context, step.source, step.name, LeftReason::LinkNotDeletable);
        return PassedOver(Why::LinkNotDeletable);
    }
    const std::optional<bool> held = HoldsLine(context.folders.cacheFolder, step.key);
    if (!held)
        return Unreadable(context);
    if (*held)
        return PassedOver(Why::Changed);
    RemoveFile(step.source);
    return Done();
}

}  // namespace thld
