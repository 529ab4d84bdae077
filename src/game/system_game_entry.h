#pragma once
// The store of the game's entry on this system: the registry on Windows, the program's own
// settings file elsewhere.

#include <memory>

#include "game/game_folder.h"
#include "game/installation.h"

namespace thld {

// Where the settings file's place is not known (no home folder), a store that holds nothing and
// keeps nothing.
std::unique_ptr<GameEntryStore> SystemGameEntryStore(const SearchPlaces& places);

}  // namespace thld
