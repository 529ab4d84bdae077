#include "game/game_step_places.h"

#include "game/package_paths.h"

namespace thld {

StepPlaces StepPlacesOf(const GameFolders& folders)
{
    StepPlaces places{folders.cacheFolder, folders.gameFolder, {}};
    places.packageFolders = [](const std::string& gameFolder) {
        std::vector<PackageFolder> found;
        for (const PackagePath& path : PackagePathsOf(gameFolder))
            found.push_back({path.folder, path.extension});
        return found;
    };
    return places;
}

}  // namespace thld
