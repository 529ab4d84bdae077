#pragma once
// One value of the game's own settings file (UnrealTournament.ini): [section] headers and
// name=value lines, names compared without regard to case, as the game reads them. The file may be
// UTF-16LE or UTF-8 with a byte-order mark (the value comes back as UTF-8), or 8-bit text without
// one (the value comes back as it stands).

#include <string>
#include <string_view>
#include <vector>

namespace thld {

inline constexpr const char* kGameSettingsFileName = "UnrealTournament.ini";

struct GameSetting {
    enum class State {
        Missing,     // no such file
        Unreadable,  // the file is there but can't be read (or is no file)
        NotText,     // the file holds a zero byte where text can hold none
        NoValue,     // the file sets no such value
        Value,       // `value` holds it, without the blanks around it
    };
    State state = State::Missing;
    std::string value;
    // Every value the section sets for the name, in file order, the first being `value`: the game
    // reads some names, such as Paths, once per line.
    std::vector<std::string> values;
};

GameSetting ReadGameSetting(const std::string& path, std::string_view section, std::string_view name);

}  // namespace thld
