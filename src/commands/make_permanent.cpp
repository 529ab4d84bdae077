#include "commands/make_permanent.h"

#include "commands/cache_change.h"
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
    const MoveOutcome outcome = move->kind == kind::Textures ? MoveCachedFile(run, *move, found.lineNumber)
                                                             : MoveWithRequirements(run, item, std::move(*move));
    return outcome != MoveOutcome::Stopped;
}

}  // namespace

bool MakeTickedPermanent(const GameFolders& folders, const std::vector<PackageItem>& items,
                         const std::vector<bool>& ticked, UserPrompt& prompt)
{
    bool agreed = false;
    const ChangeStart start = ChangeCache(folders, std::nullopt, prompt, agreed, [&] {
        CommandRun run{folders, items, prompt};
        return AskEachTicked(run, ticked, messages::kConfirmMoveTitle, messages::ConfirmMove, AfterNo::EndWalk,
                             [&](std::size_t i, const FoundEntry& found) { return MakePermanent(run, i, found); });
    });
    return agreed || start == ChangeStart::Changed;
}

}  // namespace thld
