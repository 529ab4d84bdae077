#include "commands/make_permanent.h"

#include "commands/command_run.h"
#include "commands/messages.h"
#include "commands/move_cached_file.h"
#include "commands/move_with_requirements.h"

namespace thld {

namespace {

// False when the command must stop.
bool MakePermanent(CommandRun& run, std::size_t item, const FoundEntry& found)
{
    if (found.line.empty())
        return true;
    auto move = PlanMove(run, found.line);
    if (!move)
        return true;
    const MoveOutcome outcome = move->kind == kind::Textures
                                    ? MoveCachedFile(run, *move, found.lineNumber)
                                    : MoveWithRequirements(run, item, std::move(*move));
    return outcome != MoveOutcome::Stopped;
}

}  // namespace

bool MakeTickedPermanent(const GameFolders& folders, const std::vector<PackageItem>& items,
                 const std::vector<bool>& ticked, UserPrompt& prompt)
{
    CommandRun run{folders, items, prompt};
    bool agreed = false;
    ForEachTicked(items, ticked, [&](std::size_t i) {
        if (run.HasGone(items[i]))
            return true;
        FoundEntry found = FindEntry(folders.cacheFolder, items[i].name);
        if (!prompt.Confirm(messages::kConfirmMoveTitle, messages::ConfirmMove(found.ShownName())))
            return false;
        agreed = true;
        return MakePermanent(run, i, found);
    });
    return agreed;
}

}  // namespace thld
