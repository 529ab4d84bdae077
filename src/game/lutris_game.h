#pragma once
// A Lutris game's configuration (games/<slug>-<id>.yml in Lutris's config or data folder), of which
// only the game's section matters here:
//
//   game:
//     exe: /home/player/Games/ut/System/UnrealTournament.exe
//     prefix: /home/player/Games/ut
//
// Lutris writes these files with a YAML library, which folds a long value over several lines and
// quotes as it sees fit; they are read back with one (yaml-cpp), as a stream of events, so that
// nothing but the few values wanted is kept, whatever the size of the file. Untrusted input: text
// that is no YAML is an error with its reason, never a crash; only the first document is read.
//
// Built only where Lutris runs (Linux, and any other system but Windows): the Windows build has no
// YAML library.

#include <optional>
#include <string>
#include <string_view>

namespace thld {

struct LutrisGame {
    std::optional<std::string> exe;         // game: exe:
    std::optional<std::string> prefix;      // game: prefix:
    std::optional<std::string> workingDir;  // game: working_dir:
    std::string error;                      // empty when the text was read as YAML
};

LutrisGame ReadLutrisGame(std::string_view text);

}  // namespace thld
