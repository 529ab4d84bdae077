#pragma once
// What Permanent would do with the ticked packages of a listing, worked out without changing
// anything: every package it would move, in the order it would move them, and every package it
// would pass over on the way, with the reason. A front-end shows it before asking, or instead of
// running the command.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "cache/package_item.h"
#include "game/game_folder.h"

namespace thld {

struct PlannedStep {
    enum class What {
        Move,           // moves to `destination`
        NotCached,      // a required package with no package item in the listing
        NoDestination,  // a kind without a folder of its own: stays in the cache
        NotPlainName,   // its key or name can't name a file: left in the cache
        Link,           // its cached file, or the file it would replace, is a link: left in the cache
        Cycle,          // required by a package that it requires in turn: moves once, further up
        MovedAlready,   // moved earlier in the same run
    };
    What what = What::Move;
    std::string name;                       // the package item's text, or the requirement's
    std::optional<std::size_t> item;        // its package item, where it has one
    std::optional<std::size_t> requiredBy;  // the package item that requires it; none when ticked
    std::size_t depth = 0;                  // 0 for a ticked package, 1 for what it requires, ...
    std::string destination;                // Move: the file it becomes
    bool replaces = false;                  // Move: a file is there already, so the command asks
};

// The steps of Permanent on the ticked items (`ticked[i]` for items[i]; missing ticks count as
// unticked), every question answered Yes, in the order the command takes them: a map or script
// package after what it requires (depth first, in the order of its requirements), a texture
// package alone; a package passed over stands where the command would pass it over. Takes the
// requirements of the listing (DetermineRelationships) and looks at the disk only to tell whether a
// destination is taken.
std::vector<PlannedStep> PlanPermanent(const GameFolders& folders, const std::vector<PackageItem>& items,
                                       const std::vector<bool>& ticked);

}  // namespace thld
