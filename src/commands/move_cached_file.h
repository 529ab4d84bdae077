#pragma once
// One cached file made permanent: moved to its destination with its line removed from cache.ini,
// or, when that can't be done, left in the cache with its line.

#include <optional>
#include <string>

#include "cache/index_text.h"
#include "commands/command_run.h"
#include "commands/entry_names.h"
#include "package/package_kind.h"

namespace thld {

struct PlannedMove {
    CacheEntry entry;
    PackageKind kind;
    std::string source;  // the cached file
    Destination destination;
};

// The move of the package of an entry line; nothing when the package stays in the cache: its key or
// name can't name a file, or its cached file or the file at its destination is a link (the user is
// told, once in the run), or its kind has no destination (quietly).
std::optional<PlannedMove> PlanMove(CommandRun& run, const std::string& line);

enum class MoveOutcome {
    Moved,    // the file is at its destination and its line is gone
    Stayed,   // the user kept the file at the destination, or the line had gone: nothing changed
    Stopped,  // nothing changed, and the user has been told why: the command ends
};

// Moves the cached file to its destination and removes line `lineNumber` from cache.ini. The
// destination's folder is made first when it is missing. When a file is at the destination
// already, asks first ("Confirm Replace File"); on No nothing changes. The move is one crash-safe
// step (MoveCachedPackage): across file systems too, a replaced file deleted only once the line is
// gone, and whatever fails or ends the program, the package ends either moved without its line or
// cached with it. When the line can't be removed the user is told (Stopped); a disk failure goes
// on as FileError, naming the destination when it is what refused.
MoveOutcome MoveCachedFile(CommandRun& run, const PlannedMove& move, int lineNumber);

}  // namespace thld
