#include "commands/step_actions.h"

#include "cache/index_file.h"
#include "commands/command_table.h"
#include "commands/messages.h"
#include "platform/file_link.h"

namespace thld {

StepOutcome PassedOver(StepOutcome::Why why) { return {StepOutcome::Result::PassedOver, why, std::nullopt}; }

StepOutcome Stopped() { return {StepOutcome::Result::Failed, StepOutcome::Why::None, std::nullopt}; }

StepOutcome StepDone() { return {StepOutcome::Result::Done, StepOutcome::Why::None, std::nullopt}; }

StepOutcome IndexUnreadable(StepContext& context)
{
    context.prompt.Tell(messages::ReadError(IndexPathOf(context.folders.cacheFolder)));
    return Stopped();
}

StepOutcome IndexNotWritten(StepContext& context)
{
    context.prompt.Tell(messages::WriteError(IndexPathOf(context.folders.cacheFolder)));
    return Stopped();
}

StepOutcome AfterLineRemoved(StepContext& context, const RemovedLine& removed)
{
    switch (removed.outcome) {
    case RemovedLine::Outcome::Removed:
        break;
    case RemovedLine::Outcome::NoSuchLine:
    case RemovedLine::Outcome::NoHeader:
        return PassedOver(StepOutcome::Why::NoLine);  // the line went meanwhile: cache.ini changed under us
    case RemovedLine::Outcome::Unreadable:
        return IndexUnreadable(context);
    case RemovedLine::Outcome::NotCreated:
        return IndexNotWritten(context);
    }
    context.removedLines.insert(removed.text);
    return StepDone();
}

std::variant<EntryLine, StepOutcome> CurrentLine(StepContext& context, const PlannedStep& step)
{
    const EntryLookup found = context.lookups.Find(step.name, step.key);
    if (found.IsUnreadable())
        return IndexUnreadable(context);
    if (!found.IsFound()) {
        if (PolicyOf(context.command).tellsLineGone)
            context.prompt.Tell(messages::kNoFileName);
        return PassedOver(StepOutcome::Why::NoLine);  // gone already, or never cached
    }
    return found.line;
}

void TellLeftAlone(StepContext& context, const std::string& line, std::string_view name, LeftReason reason)
{
    if (context.leftAlone.insert(line).second)
        context.prompt.Tell(LeftAloneMessage(name, reason));
}

StepOutcome CarryOut(StepContext& context, const PlannedStep& step)
{
    using What = PlannedStep::What;
    switch (step.what) {
    case What::Delete:
        return DeleteStep(context, step);
    case What::Move:
        return MoveStep(context, step);
    case What::Return:
        return ReturnStep(context, step);
    case What::RemoveLine:
        return RemoveLineStep(context, step);
    case What::DeleteOrphan:
        return DeleteOrphanStep(context, step);
    case What::CachedAlready:
        context.prompt.Tell(messages::CachedAlready(step.source, step.key));
        break;
    case What::NotInstalled:
        context.prompt.Tell(messages::NothingToReturn(step.name, messages::kNoInstalledCopy));
        break;
    case What::CachedUnreadable:
        context.prompt.Tell(messages::NothingToReturn(step.name, messages::kCachedCopyUnreadable));
        break;
    case What::NoGuid:
        context.prompt.Tell(messages::StaysInstalled(step.source, messages::kNoGuid));
        break;
    case What::NotPlainName:
        TellLeftAlone(context, step.Line(), step.name, LeftReason::NotPlainName);
        break;
    case What::Link: {
        if (context.command == CommandPlan::Command::Return) {
            context.prompt.Tell(messages::StaysInstalled(step.source, messages::kInstalledIsLink));
            break;
        }
        LeftReason reason = LeftReason::LinkNotDeletable;
        if (context.command == CommandPlan::Command::Permanent)
            reason =
                LinkAt(step.source) != LinkKind::None ? LeftReason::CachedFileIsLink : LeftReason::DestinationIsLink;
        TellLeftAlone(context, step.Line(), step.name, reason);
        break;
    }
    case What::MovedAlready:
    case What::DeletedAlready:
        if (context.removedLines.count(step.Line()) == 0)
            return PassedOver(StepOutcome::Why::StayedEarlier);
        break;
    case What::NotCached:
    case What::NoDestination:
    case What::Cycle:
    case What::OtherVersion:
    case What::SeveralVersions:
        break;
    }
    return PassedOver(StepOutcome::Why::AsPlanned);
}

}  // namespace thld
