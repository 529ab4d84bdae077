#pragma once
// One journalled step: the single order in which a change of the cache that moves or deletes files
// together with lines of cache.ini is made, so that the syncs are written once, here (a batch of
// Deletes is one such step, with a record for each package in one file and one rewrite of cache.ini):
//   1. the record (step_journal.h) is created new, written whole and synced, then the cache folder;
//   2. the files are changed (act);
//   3. the folders they changed in are synced, a file's new folder before its old one, so that a
//      file moved between two folders is never in neither;
//   4. cache.ini is rewritten (commit), and the cache folder synced;
//   5. what only waited for the line goes (finish), and the folders it went from are synced;
//   6. the record is removed, and the cache folder synced.
// A failure before the commit is undone: the files back, the record gone; one after it is finished
// at once as far as the disk lets it (SettleStep). Should that fail too, the record stays for the
// next program. Whatever ends the program, the record on the disk tells the next one
// what to settle (cache_guard.h). The caller holds the cache's lock.

#include <functional>
#include <string>
#include <vector>

#include "cache/step_journal.h"
#include "cache/step_places.h"

namespace thld {

struct JournalledStep {
    std::vector<StepJournal> journals;      // one per package, as the step makes them; written canonical
    std::function<void()> act;              // the file changes before the line's; FileError on failure
    std::vector<std::string> actedFolders;  // the folders whose entries `act` changes, in the order of step 3
    std::function<bool()> commit;           // the line's change: false when it wasn't made (nothing was)
    std::function<void()> release;          // lets go of what `act` holds, before an undo (may be empty)
    std::function<void()> finish;           // after the commit: removes what waited for it (may be empty)
};

// Carries the step out as above: true when the commit was made, false when it wasn't and the step
// was undone. FileError on a disk failure; raised too, naming the file, before anything changes when
// a record would not be one that the next program acts on (CheckJournal).
bool RunJournalledStep(const StepPlaces& places, const JournalledStep& step);

// Brings the files of a checked record to where they were before the step (Undo: for a Delete or
// Move its line is still in cache.ini, for a Return it is not there yet) or to where it takes them
// (Complete). Every file is reached by its plain name in its folder held open, never through a link
// (anchored_folder.h); nothing that is already so is touched again. The folders are synced, but
// for the cache folder of a Delete: the caller syncs it when it removes the record. FileError when a
// disk step is refused.
enum class StepEnd {
    Undo,
    Complete
};
void SettleStep(const CheckedJournal& step, StepEnd end);

// cacheFolder + the record's file name.
std::string StepJournalPathOf(const std::string& cacheFolder);

}  // namespace thld
