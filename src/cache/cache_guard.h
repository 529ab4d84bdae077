#pragma once
// One program at a time changes a cache, and what a program ended in the middle of a change left
// behind is settled before anything else looks at the cache: the step it recorded (step_record.h)
// is undone while its line is still in cache.ini and finished once it is gone (a Return: undone
// while its line is not there yet, finished once it is), and the files that
// only a step in progress writes (cache.ini.new, cache.bak.new, *.tallyhold-old, *.tallyhold-new)
// go. The lock is an exclusive lock on cache.ini.tallyhold-lock beside cache.ini: the game neither
// knows nor minds it, and it stays the same file while cache.ini is replaced.

#include <chrono>
#include <optional>
#include <string>

#include "cache/step_record.h"
#include "platform/exclusive_lock.h"

namespace thld {

inline constexpr const char* kLockFileName = "cache.ini.tallyhold-lock";
// How long a program waits for another one to finish changing the cache.
inline constexpr std::chrono::milliseconds kCacheLockWait{3000};

class CacheGuard {
public:
    // Takes the cache's lock, waiting up to `wait` while another program holds it, and settles what
    // a program left behind (RecoverCache). Nothing when another program held it all that time.
    // Where the cache folder takes no lock file (read-only), nothing can be changed there by anyone
    // and the guard holds no lock. `gameFolder` may be empty when it is not known.
    static std::optional<CacheGuard> Take(const std::string& cacheFolder, const std::string& gameFolder,
                                          std::chrono::milliseconds wait = kCacheLockWait);

private:
    explicit CacheGuard(std::optional<ExclusiveLock> lock) : lock_(std::move(lock)) {}
    std::optional<ExclusiveLock> lock_;
};

// Settles what a program left behind, as CacheGuard::Take does, when no other program is changing
// the cache at this moment (otherwise it leaves everything to that program). Never raises: a step
// that can't be settled now (a move, while the game folder is not known) stays recorded for a later
// program.
void RecoverCacheIfIdle(const std::string& cacheFolder, const std::string& gameFolder = std::string());

// Whether the cache folder holds anything that only a change in progress leaves (a record of a
// step, a cache.ini or cache.bak being written, a file put aside), which RecoverCacheIfIdle would
// settle. Reads the folder's names; may run on any thread.
bool LeftoversIn(const std::string& cacheFolder);

// True when a record read from the cache folder may be acted on: its paths are the ones a step of
// this cache makes (the cached file of its line's key, the place of its line's package in the game
// folder, or for a Return a file of its line's name in a folder of the game folder, the names the
// step keeps files under meanwhile). Without a game folder (empty) no move or return is.
bool IsStepOfCache(const StepRecord& record, const std::string& cacheFolder, const std::string& gameFolder);

}  // namespace thld
