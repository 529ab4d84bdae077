#include "game/settings_game_entry.h"

namespace thld {

GameEntryRead SettingsGameEntry::Read()
{
    GameEntryRead read;
    read.source = file_.Path();
    if (std::optional<std::string> why = file_.WhyUnreadable()) {
        // Nothing can be read: the one place says why, naming the file.
        read.result = GameEntryRead::Result::NoKey;
        read.places.push_back(
            {"game folder", file_.Path(), "", false, "the settings file " + *why, FindingReason::StoreUnreadable});
        return read;
    }
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

std::optional<std::string> SettingsGameEntry::WhyNotKept(const std::string& value) const
{
    if (SettingsFile::CanHold(value))
        return std::nullopt;
    return "its name holds a line break, which the settings file can't keep";
}

}  // namespace thld
