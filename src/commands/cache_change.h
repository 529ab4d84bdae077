#pragma once
// The frame of every run that changes the cache: it holds the cache's lock from before the first
// question to the end, so that no other program changes the cache meanwhile, and before anything
// else it settles what a program ended in the middle of a change left behind (cache_guard.h).
// FileError when the lock can't be taken (naming the lock file and why), or what was left can't be
// settled: no change is made without the lock.

#include <optional>

#include "cache/cache_guard.h"
#include "cache/index_file.h"
#include "commands/journal_messages.h"
#include "commands/messages.h"
#include "commands/user_prompt.h"
#include "game/game_folder.h"
#include "game/game_step_places.h"
#include "platform/path_stamp.h"

namespace thld {

// What a change found before it began.
enum class ChangeStart {
    Begun,    // the lock is held: the run goes on
    Busy,     // another program held the lock all the while: the user has been told, nothing changed
    Changed,  // cache.ini is not the one listed: the user has been told, nothing changed, list again
    Blocked,  // a record left by an ended program stays (cache_guard.h): the user has been told why
              // and what to do, nothing changed
};

// Runs `run()` holding the cache's lock. `listed` is the stamp of cache.ini when the items the run
// asks about were listed (nothing: not known, not compared); when cache.ini has changed since, no
// question is asked. What the settling of a left record did is told first. Gives what the start
// found, and `run`'s result through `result` when it ran.
template <typename Run, typename Result>
ChangeStart ChangeCache(const GameFolders& folders, const std::optional<PathStamp>& listed, UserPrompt& prompt,
                        Result& result, Run run)
{
    auto guard = CacheGuard::Take(StepPlacesOf(folders));
    if (!guard) {
        prompt.Tell(messages::CacheBusy(folders.cacheFolder));
        return ChangeStart::Busy;
    }
    if (const std::string told = messages::JournalFindingText(guard->Found()); !told.empty())
        prompt.Tell(told);
    if (guard->Found().BlocksChanges())
        return ChangeStart::Blocked;
    if (listed && StampOf(IndexPathOf(folders.cacheFolder)) != listed) {
        prompt.Tell(messages::IndexChanged(IndexPathOf(folders.cacheFolder), prompt.ListsAgainWhenChanged()));
        return ChangeStart::Changed;
    }
    result = run();
    return ChangeStart::Begun;
}

}  // namespace thld
