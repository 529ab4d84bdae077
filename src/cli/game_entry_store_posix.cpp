#include "cli/game_entry_store.h"

#include "game/settings_game_entry.h"

namespace thld::cli {

namespace {
// Without a home folder there is nowhere to keep the entry.
class NoSettingsFolder : public GameEntryStore {
public:
    GameEntryRead Read() override
    {
        GameEntryRead read;
        read.source = "no settings folder (HOME is not set)";
        return read;
    }
    bool Write(const std::string&) override { return false; }
};
}  // namespace

std::unique_ptr<GameEntryStore> SystemGameEntry(const SearchPlaces& places)
{
    if (places.settingsFolder.empty())
        return std::make_unique<NoSettingsFolder>();
    return std::make_unique<SettingsGameEntry>(SettingsFile(places.settingsFolder + kSettingsFileName));
}

}  // namespace thld::cli
