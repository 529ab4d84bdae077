#pragma once
// Where an installation's cache is: the cache folder of a game folder, by the rules of each
// system and the game's own settings files.

#include <string>
#include <vector>

#include "game/game_folder.h"
#include "game/installation.h"

namespace thld {

// The cache folder of a game folder, by the rules of the system, with its source; every folder
// looked at is added to `findings`, taken or not, with why.
//  - Windows: the game folder's "cache\" (that very text) unless the CachePath of [Core.System] in
//    System\UnrealTournament.ini, or else in System64\UnrealTournament.ini (64-bit builds), names
//    another folder; a relative CachePath is taken from that System folder.
//  - Linux and macOS: the folder that CachePath names in the settings file the game reads (the one
//    in the game's own System folder, else the one in the per-user System folder), a relative one
//    taken from the per-user System folder as the game takes it; else the per-user folder's Cache
//    where it holds a cache.ini; else the game folder's Cache. Names match without regard to case.
// A CachePath folder is taken where it exists inside the game folder or the per-user folder;
// elsewhere only where it holds a cache.ini. An unreadable settings file, or one that isn't text,
// is passed over.
struct CacheFolderChoice {
    std::string folder;  // ends in the separator
    std::string source;
};
CacheFolderChoice FindCacheFolder(const std::string& gameFolder, const SearchPlaces& places,
                                  std::vector<FolderFinding>& findings);

}  // namespace thld
