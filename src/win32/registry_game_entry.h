#pragma once
// The game's entry in the Windows registry (Windows only).

#include "game/game_folder.h"

namespace thld {

// The game's 32-bit installers write the entry in the 32-bit view of the registry, so it is read
// there first and then in the 64-bit view, opened for reading only; a choice is written to the
// 32-bit view, where the game looks for it.
class RegistryGameEntry : public GameEntryStore {
public:
    GameEntryRead Read() override;
    bool Write(const std::string& value) override;
};

}  // namespace thld
