// Return's step: an installed package moved into the cache under its GUID with its line added, or,
// when that can't be done, left where it is.
#include "cache/package_steps.h"
#include "commands/cached_guids.h"
#include "commands/messages.h"
#include "commands/step_actions.h"
#include "platform/file.h"
#include "platform/file_link.h"
#include "platform/folder.h"

namespace thld {

namespace {

using Why = StepOutcome::Why;

}  // namespace

// Checked right before it acts: the installed file is still there, no link, of the planned GUID,
// and the cache holds that GUID neither as a file nor as a line (the user is told when it does).
StepOutcome ReturnStep(StepContext& context, const PlannedStep& step)
{
    const std::string& cacheFolder = context.folders.cacheFolder;
    if (!PathExists(step.source))
        return PassedOver(Why::NoFile);
    if (LinkAt(step.source) != LinkKind::None) {
        context.prompt.Tell(messages::StaysInstalled(step.source, messages::kInstalledIsLink));
        return PassedOver(Why::CachedFileIsLink);
    }
    if (GuidOfPackage(step.source) != step.key)
        return PassedOver(Why::Changed);
    const std::optional<bool> held = HoldsGuid(cacheFolder, step.key);
    if (!held)
        return IndexUnreadable(context);
    if (*held) {
        context.prompt.Tell(messages::CachedAlready(step.source, step.key));
        return PassedOver(Why::CachedAlready);
    }
    const PackageReturn back{step.Line(), step.source, step.destination};
    switch (ReturnToCache(context.places, back)) {
    case AddedLine::Added:
        return StepDone();
    case AddedLine::NoHeader:
        return PassedOver(Why::NoLine);
    case AddedLine::NotWritable:
        context.prompt.Tell(messages::StaysInstalled(step.source, messages::kIndexCantHoldName));
        return PassedOver(Why::NotPlainName);
    case AddedLine::Unreadable:
        return IndexUnreadable(context);
    case AddedLine::NotCreated:
        return IndexNotWritten(context);
    }
    return Stopped();
}

}  // namespace thld
