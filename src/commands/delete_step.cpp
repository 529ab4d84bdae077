// Delete's step: the entry's line leaves cache.ini together with its cached file.
#include "cache/cached_file.h"
#include "cache/index_rewrite.h"
#include "cache/index_text.h"
#include "cache/package_steps.h"
#include "commands/step_actions.h"
#include "platform/file_link.h"

namespace thld {

std::variant<CachedDeletion, StepOutcome> CheckDelete(StepContext& context, const PlannedStep& step)
{
    using Why = StepOutcome::Why;
    auto current = CurrentLine(context, step);
    if (auto* outcome = std::get_if<StepOutcome>(&current))
        return *outcome;
    const EntryLine& line = std::get<EntryLine>(current);
    const auto entry = SplitEntryLine(line.text);
    if (!IsPlainFileName(entry->key)) {
        TellLeftAlone(context, line.text, entry->value, LeftReason::NotPlainName);
        return PassedOver(Why::NotPlainName);
    }
    if (entry->key != step.key)
        return PassedOver(Why::OtherLine);
    const std::string path = CachedFilePath(context.folders.cacheFolder, entry->key);
    if (kLinksCanBeFollowed && LinkAt(path) == LinkKind::Followed) {
        TellLeftAlone(context, line.text, entry->value, LeftReason::LinkNotDeletable);
        return PassedOver(Why::LinkNotDeletable);
    }
    return CachedDeletion{line.number, line.text, path};
}

StepOutcome DeleteStep(StepContext& context, const PlannedStep& step)
{
    auto checked = CheckDelete(context, step);
    if (auto* outcome = std::get_if<StepOutcome>(&checked))
        return *outcome;
    // One crash-safe step: the file waits beside its place until the line is gone, and comes back
    // when the line stays.
    const CachedDeletion& deletion = std::get<CachedDeletion>(checked);
    return AfterLineRemoved(context,
                            DeleteCachedPackage(context.places, deletion.lineNumber, deletion.line, deletion.file));
}

}  // namespace thld
