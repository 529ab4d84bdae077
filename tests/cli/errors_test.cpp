// tallyhold's errors: each ends the program with its exit code and a message that names the file
// and the cause, and one that comes before the first change leaves every file as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "cli/test_game.h"
#include "game/process_scanner.h"
#include "platform/file.h"
#include "support/guard_texts.h"

namespace thld::test {
namespace {

namespace fs = std::filesystem;

TEST(CliErrors, EndWithTheirExitCodeAndMessageAndChangeNothing)
{
    struct Case {
        const char* what;
        std::vector<std::string> arguments;
        int exitCode;
        std::string told;  // on standard error
        // Prepares the game folder; gives what must be held while the program runs, or the
        // reason why the case can't be made here.
        std::function<std::unique_ptr<Held>(TestGame&, std::string& skip)> setUp = {};
        bool asAnotherUser = false;
    };
    const std::vector<Case> cases = {
        {"no command", {}, 2, "tallyhold: a command is needed"},
        {"an unknown option", {"list", "--colour"}, 2, "unknown option \"--colour\" (did you mean --color?)"},
        {"an unknown option of the program", {"--bogus", "list"}, 2, "unknown option \"--bogus\"\n"},
        {"an option of another command", {"list", "--yes"}, 2, "unknown option \"--yes\""},
        {"an unknown command", {"lst"}, 2, "unknown command \"lst\" (did you mean list?)"},
        {"help on an unknown command", {"help", "kep"}, 2, "unknown command \"kep\" (did you mean keep?)"},
        {"an unknown colour choice", {"list", "--color=sometimes"}, 2, "--color"},
        {"days left empty", {"delete", "--older-than", ""}, 2, "--older-than takes a number of days"},
        {"days after an empty =", {"delete", "--older-than=", "One"}, 2, "--older-than needs a value"},
        {"days in hexadecimal", {"delete", "--older-than", "0x100"}, 2, "\"0x100\" is none"},
        {"days below zero", {"delete", "--older-than", "-1"}, 2, "\"-1\" is none"},
        {"too many days", {"delete", "--older-than", "100001"}, 2, "from 0 to 100000"},
        {"an unknown order", {"list", "--sort", "colour"}, 2, "--sort"},
        {"delete without a name", {"delete", "--yes"}, 2, "delete needs a NAME or --older-than DAYS"},
        {"a missing game folder", {"list", "--game"}, 1, "was not found."},
        {"a missing cache.ini",
         {"delete", "--yes", "One"},
         1,
         "cache" + std::string(1, kPathSeparator) + " has no cache.ini: is this a cache folder?",
         [](TestGame& game, std::string&) {
             fs::remove(game.Path("cache/cache.ini"));
             return nullptr;
         }},
        {"the cache's lock a folder",
         {"delete", "--yes", "One.unr"},
         1,
         "cache.ini.tallyhold-lock is not a regular file.",
         [](TestGame& game, std::string&) {
             fs::create_directory(game.Path("cache/cache.ini.tallyhold-lock"));
             return nullptr;
         }},
        {"an unknown name", {"delete", "--yes", "One", "Nope"}, 1, "no package named \"Nope\" is in the cache"},
        {"a name of two packages", {"keep", "--yes", "one"}, 1, "\"one\" names more than one package"},
        {"a destination another process holds",
         {"keep", "--yes", "One.unr"},
         1,
         "tallyhold: ",
         [](TestGame& game, std::string& skip) {
             WriteFileBytes(game.Path("Maps/One.unr"), "an older One");
             auto held = HoldUnshared(game.Path("Maps/One.unr"));
             if (!held)
                 skip = "files are not held so here";
             return held;
         }},
        {"a read-only game folder",
         {"keep", "--yes", "One.unr"},
         1,
         "Access to ",
         []([[maybe_unused]] TestGame& game, [[maybe_unused]] std::string& skip) {
#ifdef _WIN32
             skip = "a folder's read-only attribute does not keep files out on Windows";
#else
             fs::permissions(game.Path("Maps"),
                             fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                             fs::perm_options::remove);
#endif
             return nullptr;
         },
         true},
        {"the game running",
         {"delete", "--yes", "One.unr"},
         1,
         kGameRunningText,
         [](TestGame& game, std::string& skip) {
             auto running = RunningAs(game.temp.Path(), "UnrealTournament.exe");
             if (!running)
                 skip = "no program can run under that name here";
             return running;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestGame game;
        game.LayMadeUp(
            {{"K1", "One.unr", kind::Map}, {"K2", "One.u", kind::Script}, {"K3", "Two.utx", kind::Textures}});
        std::string skip;
        const auto held = c.setUp ? c.setUp(game, skip) : nullptr;
        if (!skip.empty()) {
            std::cout << "[   NOTE   ] " << c.what << ": not tried (" << skip << ")\n";
            continue;
        }
        const auto before = game.Files();
        std::vector<std::string> arguments = c.arguments;
        if (!arguments.empty() && arguments.back() == "--game")
            arguments.push_back(game.Path("nowhere/"));
        else if (!arguments.empty())
            arguments.insert(arguments.end(), {"--game", game.folders.gameFolder});
        const ProgramResult result = RunTallyhold({arguments, "", {}, c.asAnotherUser});
        if (c.asAnotherUser && result.exitCode == 127) {
            std::cout << "[   NOTE   ] " << c.what << ": not tried (the other user can't reach the temporary folder)\n";
            continue;
        }
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_PRED2(Holds, result.err, c.told);
        if (c.exitCode == 2) {
            EXPECT_PRED2(Holds, result.err, "Usage: tallyhold");
            EXPECT_EQ(result.out, "");
        }
        EXPECT_TRUE(game.Files() == before);
    }
}

}  // namespace
}  // namespace thld::test
