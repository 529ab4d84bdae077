#pragma once
// The places a recorded step of a cache may act in (cache/step_places.h), as the game sets them: the
// cache and game folders, and the package folders of a game folder from the Paths of its settings
// file (package_paths.h), those that lie in the game folder itself.

#include "cache/step_places.h"
#include "game/game_folder.h"

namespace thld {

StepPlaces StepPlacesOf(const GameFolders& folders);

}  // namespace thld
