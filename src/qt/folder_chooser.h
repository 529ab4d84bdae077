#pragma once
// The folder picker of the game-folder search: the platform's folder chooser over the active
// window, offering real folders only, with the picker's title above it.

#include "game/game_folder.h"

namespace thld {

class FolderChooser : public FolderPicker {
public:
    // The chosen folder followed by the path separator; nothing when the user cancels.
    std::optional<std::string> Pick(const std::string& title) override;
};

}  // namespace thld
