#pragma once
// The two ways a package leaves the cache, and the way an installed one comes back into it, each one
// journalled step (journalled_step.h): its line leaves cache.ini and its file is deleted, or moved to
// its place in the game's folders; or its file moves into the cache under its GUID and its line is
// added. Whatever ends the program, the next one that takes the cache's lock (cache_guard.h) leaves
// the package either in the cache with its line or out of it without. The caller holds that lock.

#include <string>
#include <vector>

#include "cache/index_rewrite.h"
#include "cache/step_places.h"

namespace thld {

// Deletes `file`, the cached file of entry line `line` (its number `lineNumber`, its stripped text
// as the program's text), with the line. The file waits beside its place until the line is gone.
// When the line can't be removed (any outcome but Removed), the file is back and the result says
// why. A missing file lets the line go alone. FileError on a disk failure, with the step undone
// where its line is still there, and finished by the next program where it is not.
RemovedLine DeleteCachedPackage(const StepPlaces& places, int lineNumber, const std::string& line,
                                const std::string& file);

struct CachedDeletion {
    int lineNumber = 0;
    std::string line;  // the entry line, stripped, as the program's text
    std::string file;  // its cached file
};
// DeleteCachedPackage for many packages of different lines as one step: one record of them all, one
// rewrite of cache.ini without all their lines. removed[i] for deletions[i]; where the rewrite does
// not happen, every file is back and each result says why.
std::vector<RemovedLine> DeleteCachedPackages(const StepPlaces& places, const std::vector<CachedDeletion>& deletions);

struct PackageMove {
    std::string line;         // the entry line, stripped, as the program's text
    std::string source;       // the cached file
    std::string destination;  // its place in a package folder of the game's (step_places.h)
    bool replace = false;     // a file at the destination goes, once the package is in its place
};

// Moves the cached file to its destination in places.gameFolder (copying it where the two lie on
// different file systems), with the line of `lineNumber`. A replaced file waits beside its place
// until the line is gone. When the line can't be removed the package is back in the cache (and a
// replaced file in its place), and the result says why. FileError on a disk failure (naming the
// destination when it is what refused), with the step undone or, once the line is gone, finished by
// the next program. Without `replace`, a file at the destination is refused (AccessDenied on it)
// before anything changes.
RemovedLine MoveCachedPackage(const StepPlaces& places, int lineNumber, const PackageMove& move);

struct PackageReturn {
    std::string line;           // the line to add, GUID=file name, as the program's text
    std::string installedFile;  // the package in a package folder of places.gameFolder
    std::string cachedFile;     // the file it becomes: <GUID>.uxx in the cache folder, not there yet
};

// Moves an installed package into the cache (copying it where the two lie on different file
// systems) and adds its line. When the line can't be added the package is back in its place and the
// result says why. A file at `cachedFile` is refused (AccessDenied on it) before anything changes.
// FileError on a disk failure, with the step undone or, once the line is there, finished by the
// next program.
AddedLine ReturnToCache(const StepPlaces& places, const PackageReturn& back);

}  // namespace thld
