// The registry store for tallyhold.exe, which links this library for it alone: the command line
// stores and reads the game folder where THLD.exe does.
#include "game/installation.h"
#include "win32/registry_game_entry.h"

#include <memory>

namespace thld::cli {

std::unique_ptr<GameEntryStore> SystemGameEntry(const SearchPlaces&);
std::unique_ptr<GameEntryStore> SystemGameEntry(const SearchPlaces&) { return std::make_unique<RegistryGameEntry>(); }

}  // namespace thld::cli
