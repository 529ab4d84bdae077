#include "game/system_game_entry.h"

#include "game/registry_game_entry.h"
#include "game/settings_game_entry.h"

namespace thld {

namespace {

class NoGameEntry : public GameEntryStore {
public:
    GameEntryRead Read() override
    {
        GameEntryRead read;
        read.source = "no settings file (the home folder is not known)";
        return read;
    }
    bool Write(const std::string&) override { return false; }
};

}  // namespace

std::unique_ptr<GameEntryStore> SystemGameEntryStore(const SearchPlaces& places)
{
    if (places.system == SearchPlaces::System::Windows)
        return std::make_unique<RegistryGameEntry>();
    if (places.settingsFolder.empty())
        return std::make_unique<NoGameEntry>();
    return std::make_unique<SettingsGameEntry>(SettingsFile(places.settingsFolder + kSettingsFileName));
}

}  // namespace thld
