#pragma once
// The two ways a package leaves the cache, and the way an installed one comes back into it, each one
// crash-safe step: its line leaves cache.ini and its file is deleted, or moved to its place in the
// game's folders; or its file moves into the cache under its GUID and its line is added. A record of the step
// (step_record.h) is written and synced before the first change and removed after the last, so that
// whatever ends the program, the next one that takes the cache's lock (cache_guard.h) leaves the
// package either in the cache with its line or out of it without. The caller holds that lock.

#include <string>

#include "cache/index_rewrite.h"
#include "cache/step_record.h"

namespace thld {

// Deletes `file`, the cached file of entry line `line` (its number `lineNumber`, its stripped text
// as the program's text), with the line. The file waits beside its place until the line is gone.
// When the line can't be removed (any outcome but Removed), the file is back and the result says
// why. A missing file lets the line go alone. FileError on a disk failure, with the step undone
// where its line is still there, and finished by the next program where it is not.
RemovedLine DeleteCachedPackage(const std::string& cacheFolder, int lineNumber, const std::string& line,
                                const std::string& file);

struct PackageMove {
    std::string line;         // the entry line, stripped, as the program's text
    std::string source;       // the cached file
    std::string destination;  // its place in the game's folders
    std::string gameFolder;   // the game folder holding that place
    bool replace = false;     // a file at the destination goes, once the package is in its place
};

// Moves the cached file to its destination (copying it where the two lie on different file
// systems), with the line of `lineNumber`. A replaced file waits beside its place until the line is
// gone. When the line can't be removed the package is back in the cache (and a replaced file in its
// place), and the result says why. FileError on a disk failure (naming the destination when it is
// what refused), with the step undone or, once the line is gone, finished by the next program.
// Without `replace`, a file at the destination is refused (AccessDenied on it) before anything
// changes.
RemovedLine MoveCachedPackage(const std::string& cacheFolder, int lineNumber, const PackageMove& move);

struct PackageReturn {
    std::string line;           // the line to add, GUID=file name, as the program's text
    std::string installedFile;  // the package in the game's folders
    std::string cachedFile;     // the file it becomes: <GUID>.uxx in the cache folder, not there yet
    std::string gameFolder;     // the game folder holding the installed file
};

// Moves an installed package into the cache (copying it where the two lie on different file
// systems) and adds its line. When the line can't be added the package is back in its place and the
// result says why. A file at `cachedFile` is refused (AccessDenied on it) before anything changes.
// FileError on a disk failure, with the step undone or, once the line is there, finished by the
// next program.
AddedLine ReturnToCache(const std::string& cacheFolder, const PackageReturn& back);

// Brings the files of a recorded step to where they were before it (Undo: for a Delete or Move its
// line is still in cache.ini, for a Return it is not there yet) or to where it takes them (Complete). Nothing that is
// already so is touched again; FileError when a disk step is refused.
enum class StepEnd {
    Undo,
    Complete
};
void SettleStep(const StepRecord& record, StepEnd end);

// cacheFolder + the record's file name.
std::string StepRecordPathOf(const std::string& cacheFolder);

}  // namespace thld
