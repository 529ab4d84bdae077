#pragma once
// Where this system keeps the game's entry, the value "Folder" that names the game folder: the
// registry on Windows, the program's own settings file elsewhere (the windows use the same).

#include <memory>

#include "game/game_folder.h"
#include "game/installation.h"

namespace thld::cli {

std::unique_ptr<GameEntryStore> SystemGameEntry(const SearchPlaces& places);

}  // namespace thld::cli
