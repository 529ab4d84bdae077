#pragma once
// A Lutris game's configuration (~/.config/lutris/games/<slug>-<id>.yml), of which only the game's
// section matters here:
//
//   game:
//     exe: /home/player/Games/ut/System/UnrealTournament.exe
//     prefix: /home/player/Games/ut
//
// YAML is read only as far as Lutris writes these files: "name: value" lines, nested by indent,
// values bare or in single or double quotes. Untrusted input: a line that is no such line is passed
// over, and a file without the game's exe says so.

#include <optional>
#include <string>
#include <string_view>

namespace thld {

struct LutrisGame {
    std::optional<std::string> exe;         // game: exe:
    std::optional<std::string> prefix;      // game: prefix:
    std::optional<std::string> workingDir;  // game: working_dir:
};

LutrisGame ReadLutrisGame(std::string_view text);

}  // namespace thld
