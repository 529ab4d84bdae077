// Things that are no regular files where the program reads one: a folder, and on POSIX systems a
// FIFO that no program writes and a link to /dev/zero. Every command ends promptly, says what it
// passed over and why, and reads nothing of it.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <csignal>
#include <filesystem>

#include "cli/test_game.h"

namespace thld::test {
namespace {

namespace fs = std::filesystem;

constexpr unsigned kPromptly = 20;  // seconds; the commands take well under one

enum class Special {
    Folder,
    Fifo,
    ZeroLink
};
#ifdef _WIN32
const std::vector<Special> kSpecials = {Special::Folder};
#else
const std::vector<Special> kSpecials = {Special::Folder, Special::Fifo, Special::ZeroLink};
#endif

const char* Word(Special special)
{
    return special == Special::Folder ? " (folder) " : special == Special::Fifo ? " (FIFO) " : " (/dev/zero) ";
}

void MakeSpecial(const std::string& path, [[maybe_unused]] Special special)
{
    fs::remove(FsPath(path));
#ifndef _WIN32
    if (special == Special::Fifo) {
        ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << path;
        return;
    }
    if (special == Special::ZeroLink) {
        fs::create_symlink("/dev/zero", path);
        return;
    }
#endif
    fs::create_directory(FsPath(path));
}

struct Case {
    std::string place;  // below the game folder
    std::vector<std::string> arguments;
    int exitCode;
    bool reported;  // the reason is on standard error
};

TEST(CliSpecialFiles, EndPromptlyAndSayWhatWasPassedOver)
{
    const std::vector<Case> cases = {
        // A cached file.
        {"cache/BBBB.uxx", {"list"}, 0, true},
        {"cache/BBBB.uxx", {"list", "--json"}, 0, true},
        {"cache/BBBB.uxx", {"delete", "--dry-run", "Arena"}, 0, true},
        // An installed package named like a cached one.
        {"Textures/Tex.utx", {"list"}, 0, true},
        {"Textures/Tex.utx", {"list", "--json"}, 0, true},
        {"Textures/Tex.utx", {"keep", "--dry-run", "Arena"}, 0, false},
        {"Textures/Tex.utx", {"requires", "Arena"}, 0, false},
        // The index.
        {"cache/cache.ini", {"list"}, 1, true},
        {"cache/cache.ini", {"list", "--json"}, 1, true},
        {"cache/cache.ini", {"keep", "--dry-run", "Arena"}, 1, true},
        // The game's settings, where the cache folder could be named.
        {"System/UnrealTournament.ini", {"list"}, 0, false},
        {"System/UnrealTournament.ini", {"where"}, 0, false},
    };
    for (Special special : kSpecials) {
        for (const Case& c : cases) {
            TestGame game;
            game.LayMadeUp({{"AAAA", "Arena.unr", kind::Map, {"Tex.utx", "Other.u"}},
                            {"BBBB", "Other.u", kind::Script},
                            {"CCCC", "Tex.utx", kind::Textures}});
            fs::create_directories(game.Path("System"));
            MakeSpecial(game.Path(c.place), special);
            std::vector<std::string> arguments = c.arguments;
            arguments.insert(arguments.end(), {"--game", game.folders.gameFolder});
            const ProgramResult result = RunTallyhold({.arguments = arguments, .timeoutSeconds = kPromptly});
            const std::string what = c.place + Word(special) + c.arguments[0];
            EXPECT_EQ(result.exitCode, c.exitCode) << what << "\n" << result.err;
            if (c.reported) {
                EXPECT_PRED2(Holds, result.err,
                             fs::path(game.Path(c.place)).filename().string() + " is not a regular file.")
                    << what;
            }
        }
    }
}

#ifndef _WIN32
TEST(CliSpecialFiles, StoredSettingsFileThatIsNoFileIsPassedOver)
{
    for (Special special : kSpecials) {
        TestGame game;
        game.LayMadeUp({{"AAAA", "Arena.unr", kind::Map}});
        const std::string config = game.temp / "config";
        fs::create_directories(config + "/tallyhold");
        MakeSpecial(config + "/tallyhold/tallyhold.ini", special);
        const ProgramResult result = RunTallyhold(
            {.arguments = {"where"}, .environment = {{"XDG_CONFIG_HOME", config}}, .timeoutSeconds = kPromptly});
        EXPECT_NE(result.exitCode, 128 + SIGALRM) << Word(special) << result.err;
    }
}
#endif

}  // namespace
}  // namespace thld::test
