#pragma once
// Start-up: the running-game guard, then the "Please Wait" window and the main window. Returns
// when the main window has closed; the program then ends.

#include "game/game_folder.h"

namespace thld {

// What start-up works with instead of the system's own, where given.
struct ApplicationParts {
    FolderPicker* folderPicker = nullptr;
};

void RunApplication(const ApplicationParts& parts = {});

}  // namespace thld
