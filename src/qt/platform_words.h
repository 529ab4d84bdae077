#pragma once
// The game-folder search's texts as a player of this system reads them: on Linux and macOS the
// game keeps no registry entry and paths have no drive letters, so the window says so in the
// platform's words; on Windows the texts stay as they are.

#include <string>

#include "game/game_folder.h"
#include "game/installation.h"

namespace thld {

// The text to show for one of the search's own texts (any other text is returned as it is).
std::string PlatformWords(const std::string& text, SearchPlaces::System system);

// What the window shows above the tree while no game folder has been chosen.
inline constexpr const char* kNoFolderChosenText =
    "No game folder chosen: press Change (or File > Change Game Folder) and choose the Unreal Tournament folder.";

// A picker that shows the chooser under the platform's title.
class PlatformPicker : public FolderPicker {
public:
    PlatformPicker(FolderPicker& picker, SearchPlaces::System system) : picker_(picker), system_(system) {}
    std::optional<std::string> Pick(const std::string& title) override
    {
        return picker_.Pick(PlatformWords(title, system_));
    }

private:
    FolderPicker& picker_;
    SearchPlaces::System system_;
};

}  // namespace thld
