#pragma once
// The game's entry where there is no registry: the value "Folder" under the entry's key, kept in
// the program's own settings file.

#include "game/game_folder.h"
#include "game/settings_file.h"

namespace thld {

// The section that stands for the registry key.
inline constexpr const char* kGameEntrySection =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Unreal Technology\\Installed Apps\\UnrealTournament";

class SettingsGameEntry : public GameEntryStore {
public:
    explicit SettingsGameEntry(SettingsFile file) : file_(std::move(file)) {}
    // A settings file that is there but can't be read is the one place, with why.
    GameEntryRead Read() override;
    bool Write(const std::string& value) override;
    std::optional<std::string> WhyNotKept(const std::string& value) const override;

private:
    SettingsFile file_;
};

}  // namespace thld
