// Lutris's game files as Lutris's YAML library writes them, read back whole; and hostile ones,
// which end with a reason, never a crash.
#include <gtest/gtest.h>

#include "game/lutris_game.h"

namespace thld {
namespace {

TEST(LutrisGameFile, ReadAsLutrisWritesIt)
{
    struct Case {
        const char* what;
        std::string text;
        std::optional<std::string> exe, prefix;
    };
    const std::vector<Case> cases = {
        {"a long exe with blanks, folded over two lines",
         "game:\n  exe: /home/player/Games/unreal-tournament-goty/drive_c/Program Files (x86)/GOG Galaxy/Games/Unreal\n"
         "    Tournament GOTY/System/UnrealTournament.exe\n  prefix: /home/player/Games/unreal-tournament-goty\n"
         "system:\n  disable_runtime: true\n",
         "/home/player/Games/unreal-tournament-goty/drive_c/Program Files (x86)/GOG Galaxy/Games/Unreal Tournament "
         "GOTY/System/UnrealTournament.exe",
         "/home/player/Games/unreal-tournament-goty"},
        {"quoted, with a quote, a colon and a hash",
         "game:\n  exe: '/home/p/it''s: #here/System/UnrealTournament.exe'\n  prefix: \"/p\\tq\" # a comment\n",
         "/home/p/it's: #here/System/UnrealTournament.exe", "/p\tq"},
        {"only the game's own section counts",
         "name: x\nsystem:\n  exe: other\ngame:\n  args: -y\n  nested:\n    exe: deeper\n  exe: /ut/System/ut-bin\n",
         "/ut/System/ut-bin", std::nullopt},
        {"a flow map, and an empty prefix", "{game: {exe: /ut/System/UnrealTournament.exe, prefix: }}",
         "/ut/System/UnrealTournament.exe", std::nullopt},
        {"the first document alone", "game: {exe: /a}\n---\ngame: {exe: /b}\n", "/a", std::nullopt},
        {"a game section that is a list", "game:\n  - exe: /a\n", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const LutrisGame game = ReadLutrisGame(c.text);
        EXPECT_EQ(game.error, "");
        EXPECT_EQ(game.exe, c.exe);
        EXPECT_EQ(game.prefix, c.prefix);
    }
}

TEST(LutrisGameFile, HostileTextsEndWithAReason)
{
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"an escape that YAML has not", "game:\n  exe: \"/ut/\\q/System/ut-bin\"\n"},
        {"a flow map that never closes", "game: {exe: /a"},
        {"maps nested a million deep", std::string(1000000, '{')},
        {"lists nested deeper than any file",
         [] {
             std::string deep;
             for (int i = 0; i < 5000; ++i)
                 deep += std::string(static_cast<std::size_t>(i), ' ') + "- \n";
             return deep + std::string(5000, ' ') + "x\n";
         }()},
        {"an alias to nothing", "game: *nothing\n"},
    };
    for (const auto& [what, text] : cases) {
        const LutrisGame game = ReadLutrisGame(text);
        EXPECT_NE(game.error, "") << what;
        EXPECT_EQ(game.exe, std::nullopt) << what;
    }
}

}  // namespace
}  // namespace thld
