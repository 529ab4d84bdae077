#pragma once
// One program at a time changes a cache, and what a program ended in the middle of a change left
// behind is settled before anything else looks at the cache: the step it recorded (step_journal.h)
// is undone while its line is still in cache.ini and finished once it is gone (a Return: undone
// while its line is not there yet, finished once it is), and the files that only a step in progress
// writes (cache.ini.new, cache.bak.new, *.tallyhold-old, *.tallyhold-new) go. A record is acted on
// only when it passes CheckJournal (step_places.h); one that doesn't is set aside, renamed, and one
// of another game folder than the one given stays and keeps every change from beginning, so that it
// is never overwritten. The lock is an exclusive lock on cache.ini.tallyhold-lock beside cache.ini:
// the game neither knows nor minds it, and it stays the same file while cache.ini is replaced.

#include <chrono>
#include <optional>
#include <string>

#include "cache/step_journal.h"
#include "cache/step_places.h"
#include "platform/exclusive_lock.h"

namespace thld {

inline constexpr const char* kLockFileName = "cache.ini.tallyhold-lock";
// Where a record that is not acted on is put: this, or this with a number behind it.
inline constexpr const char* kSetAsideJournalName = "cache.ini.tallyhold-journal.set-aside";
// How long a program waits for another one to finish changing the cache.
inline constexpr std::chrono::milliseconds kCacheLockWait{3000};

// What the settling of a record left by an ended program found.
struct JournalFinding {
    enum class Outcome {
        None,                   // no record was left
        Settled,                // its step was finished or undone
        SettledInRecordedGame,  // the same, in the game folder the record names, as none was given
        SetAside,               // not a record a step of this cache writes: renamed, not acted on
        OtherGame,              // a step in another game folder than the one given: the record stays
        GameNotKnown,           // no game folder given, and the record's is not there: the record stays
    };
    Outcome outcome = Outcome::None;
    bool finished = false;                    // Settled*: the step was finished (otherwise undone)
    std::string journal;                      // the record's path
    std::string recordedGame;                 // the game folder the record names (as it is written there)
    std::string setAsideAs;                   // SetAside: the record's path now
    JournalFault fault = JournalFault::None;  // SetAside: why

    // True while the record stays: no change may begin, or it would write a record of its own.
    bool BlocksChanges() const { return outcome == Outcome::OtherGame || outcome == Outcome::GameNotKnown; }
};

class CacheGuard {
public:
    // Takes the cache's lock, waiting up to `wait` while another program holds it, and settles what
    // a program left behind. Nothing when another program held it all that time. FileError when the
    // lock can't be taken (naming the lock file and the cause: it is a folder, a link, another
    // user's file, or can't be made) or what was left can't be settled on the disk.
    static std::optional<CacheGuard> Take(const StepPlaces& places, std::chrono::milliseconds wait = kCacheLockWait);

    // What the settling found; when it BlocksChanges, nothing may be changed under this guard.
    const JournalFinding& Found() const { return found_; }

private:
    CacheGuard(ExclusiveLock lock, JournalFinding found) : lock_(std::move(lock)), found_(std::move(found)) {}
    ExclusiveLock lock_;
    JournalFinding found_;
};

// Settles what a program left behind, as CacheGuard::Take does, when no other program is changing
// the cache at this moment (otherwise it leaves everything to that program), for a program that
// only reads: where the lock can't be taken or a disk step fails, everything stays as it is.
// Never raises.
JournalFinding RecoverCacheIfIdle(const StepPlaces& places);

// Whether the cache folder holds anything that only a change in progress leaves (a record of a
// step, a cache.ini or cache.bak being written, a file put aside), which RecoverCacheIfIdle would
// settle. Reads the folder's names; may run on any thread.
bool LeftoversIn(const std::string& cacheFolder);

}  // namespace thld
