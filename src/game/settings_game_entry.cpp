#include "game/settings_game_entry.h"

namespace thld {

GameEntryRead SettingsGameEntry::Read()
{
    GameEntryRead read;
    read.source = file_.Path();
    auto value = file_.Get(kGameEntrySection, kGameEntryValue);
    if (!value) {
        read.result = GameEntryRead::Result::NoKey;
        return read;
    }
    read.result = GameEntryRead::Result::Read;
    read.bytes = *value;
    return read;
}

bool SettingsGameEntry::Write(const std::string& value) { return file_.Set(kGameEntrySection, kGameEntryValue, value); }

}  // namespace thld
