// Tidy's two steps: a stale line removed, a cached file without a line deleted.
#include "cache/cached_file.h"
#include "cache/index_rewrite.h"
#include "cache/index_text.h"
#include "cache/package_steps.h"
#include "commands/cached_guids.h"
#include "commands/step_actions.h"
#include "platform/file.h"
#include "platform/file_link.h"
#include "platform/folder.h"

namespace thld {

namespace {

using Why = StepOutcome::Why;

}  // namespace

// The line goes only while it is still there with the planned key and its file is still gone: a
// Delete whose file is gone already, one journalled step like every other (a key that names no
// plain file names no file either: its line goes in one rewrite of cache.ini).
StepOutcome RemoveLineStep(StepContext& context, const PlannedStep& step)
{
    const std::string& cacheFolder = context.folders.cacheFolder;
    auto current = CurrentLine(context, step);
    if (auto* outcome = std::get_if<StepOutcome>(&current))
        return *outcome;
    const EntryLine& line = std::get<EntryLine>(current);
    if (SplitEntryLine(line.text)->key != step.key)
        return PassedOver(Why::OtherLine);
    if (PathExists(step.source))
        return PassedOver(Why::Changed);
    const RemovedLine removed = IsPlainFileName(step.key) ? DeleteCachedPackage(context.places, line.number, line.text,
                                                                                CachedFilePath(cacheFolder, step.key))
                                                          : RemoveEntryLine(cacheFolder, line.number);
    return AfterLineRemoved(context, removed);
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
        return IndexUnreadable(context);
    if (*held)
        return PassedOver(Why::Changed);
    RemoveFile(step.source);
    return StepDone();
}

}  // namespace thld
