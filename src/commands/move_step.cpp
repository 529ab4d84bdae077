// Permanent's step: one cached file moved to its destination with its line removed from cache.ini,
// or, when that can't be done, left in the cache with its line.
#include "cache/cached_file.h"
#include "cache/index_rewrite.h"
#include "cache/index_text.h"
#include "cache/package_steps.h"
#include "commands/messages.h"
#include "commands/step_actions.h"
#include "platform/durable_move.h"
#include "platform/file.h"
#include "platform/file_link.h"
#include "platform/folder.h"

namespace thld {

namespace {

using Why = StepOutcome::Why;

// The folder that holds `folder` (which ends in a separator).
std::string ParentOf(std::string folder)
{
    while (!folder.empty() && (folder.back() == '/' || folder.back() == '\\'))
        folder.pop_back();
    const auto cut = folder.find_last_of("/\\");
    return cut == std::string::npos ? std::string() : folder.substr(0, cut + 1);
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
// already, asks first ("Confirm Replace File"); on No nothing changes. The move is one crash-safe
// step (MoveCachedPackage): across file systems too, a replaced file deleted only once the line is
// gone, and whatever fails or ends the program, the package ends either moved without its line or
// cached with it. When the line can't be removed the user is told; a disk failure goes on as
// FileError, naming the destination when it is what refused.
StepOutcome MoveStep(StepContext& context, const PlannedStep& step)
{
    auto current = CurrentLine(context, step);
    if (auto* outcome = std::get_if<StepOutcome>(&current))
        return *outcome;
    const EntryLine& line = std::get<EntryLine>(current);
    if (auto obstacle = Obstacle(context, step, line))
        return PassedOver(*obstacle);

    if (!IsFolder(step.destinationFolder)) {
        MakeFolder(step.destinationFolder);
        // On the disk before a package goes into it: a folder lost to a power cut would take it along.
        SyncFolder(ParentOf(step.destinationFolder));
    }
    PackageMove move{line.text, step.source, step.destination};
    if (CanOpenUnshared(move.destination)) {
        if (!context.prompt.Confirm(messages::kConfirmReplaceTitle, messages::ConfirmReplace(move.destination)))
            return PassedOver(Why::ReplaceRefused);
        move.replace = true;
    }
    const RemovedLine removed = MoveCachedPackage(context.places, line.number, move);
    return AfterLineRemoved(context, removed);
}

}  // namespace thld
