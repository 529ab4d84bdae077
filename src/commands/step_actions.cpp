#include "commands/step_actions.h"

#include "cache/index_file.h"
#include "commands/messages.h"
#include "platform/file_link.h"

namespace thld {

StepOutcome PassedOver(StepOutcome::Why why) { return {StepOutcome::Result::PassedOver, why, std::nullopt}; }

StepOutcome Stopped() { return {StepOutcome::Result::Failed, StepOutcome::Why::None, std::nullopt}; }

StepOutcome AfterLineRemoved(StepContext& context, const RemovedLine& removed)
{
    const std::string index = IndexPathOf(context.folders.cacheFolder);
    switch (removed.outcome) {
    case RemovedLine::Outcome::Removed:
        break;
    case RemovedLine::Outcome::NoSuchLine:
    case RemovedLine::Outcome::NoHeader:
        return PassedOver(StepOutcome::Why::NoLine);  // the line went meanwhile: cache.ini changed under us
    case RemovedLine::Outcome::Unreadable:
        context.prompt.Tell(messages::ReadError(index));
        return Stopped();
    case RemovedLine::Outcome::NotCreated:
        context.prompt.Tell(messages::WriteError(index));
        return Stopped();
    }
    context.removedLines.insert(removed.text);
    return {StepOutcome::Result::Done, StepOutcome::Why::None, std::nullopt};
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
        context.prompt.Tell(messages::NothingToReturn(step.name, "the game's folders hold no copy of it"));
        break;
    case What::CachedUnreadable:
        context.prompt.Tell(
            messages::NothingToReturn(step.name, "its cached copy can't be read, so its version can't be told"));
        break;
    case What::NoGuid:
        context.prompt.Tell(messages::StaysInstalled(step.source, "it is no package with a GUID"));
        break;
    case What::NotPlainName:
        TellLeftAlone(context, step.Line(), step.name, LeftReason::NotPlainName);
        break;
    case What::Link: {
        if (context.command == CommandPlan::Command::Return) {
            context.prompt.Tell(messages::StaysInstalled(step.source, "it is a link to another file"));
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
