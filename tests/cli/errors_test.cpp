// tallyhold's errors: each ends the program with its exit code and a message that names the file
// and the cause, and one that comes before the first change leaves every file as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "cli/test_game.h"
#include "game/process_scanner.h"

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
        {"an unknown option", {"list", "--colour"}, 2, "Usage: tallyhold list"},
        {"an unknown order", {"list", "--sort", "colour"}, 2, "--sort"},
        {"delete without a name", {"delete", "--yes"}, 2, "delete needs a NAME or --older-than DAYS"},
        {"a missing game folder", {"list", "--game"}, 1, "was not found."},
        {"a missing cache.ini",
         {"delete", "--yes", "One"},
         1,
         "Error reading file ",
         [](TestGame& game, std::string&) {
             fs::remove(game.Path("cache/cache.ini"));
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
         kGameRunningMessage,
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
