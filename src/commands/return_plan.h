#pragma once
// What Return and Tidy do, worked out without changing anything. Return puts an installed copy of a
// cached package (one of another version, which the game takes first) back into the cache under its
// own GUID, so that servers with either version work; Tidy removes the lines whose cached file is
// gone and deletes the cached files without a line that the user chose. The run (run_plan.h)
// carries the steps out.

#include <optional>
#include <string>
#include <vector>

#include "cache/package_item.h"
#include "commands/planned_step.h"
#include "game/cache_checks.h"
#include "game/game_folder.h"

namespace thld {

// One step per ticked item (`ticked[i]` for items[i]): Return of the game's file at its destination
// (InstalledPackages), as <its GUID>.uxx with the line <GUID>=<its file name>; or passed over when
// the cached copy's tables can't be read (CachedUnreadable), when the game's folders hold none (NotInstalled), when
// that file is no package with a GUID (NoGuid), when the cache holds that GUID already as a file or a line's key
// (CachedAlready: an identical copy, or a version cached twice), or when the file is a link (Link). FileError when the
// game's folders can't be read.
CommandPlan PlanReturn(const GameFolders& folders, const std::vector<PackageItem>& items,
                       const std::vector<bool>& ticked);

// One step per chosen problem of CheckCache (`chosen[i]` for problems[i]): RemoveLine for a stale
// one, DeleteOrphan for an orphan; other kinds are passed over. Looks at no file.
CommandPlan PlanTidy(const std::vector<CacheProblem>& problems, const std::vector<bool>& chosen);

// Whether the cache holds `guid` already: as a file <guid>.uxx, or as a line's key (any case).
// Nothing when cache.ini can't be read.
std::optional<bool> HoldsGuid(const std::string& cacheFolder, const std::string& guid);
// Whether a line of cache.ini has `guid` as its key (any case); nothing when it can't be read.
std::optional<bool> HoldsLine(const std::string& cacheFolder, const std::string& guid);

// The GUID of a package file; nothing when it is no package, has none, or can't be read.
std::optional<std::string> GuidOfPackage(const std::string& path);

}  // namespace thld
