// tallyhold where, on a system without a registry: the game folder stored in the program's settings
// file under a home folder of the test's own, and the cache folder found in it, spelt either way.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/test_game.h"

namespace thld::test {
namespace {

TEST(CliWhere, FindsTheGameStoredInTheSettingsOfAFakeHome)
{
    struct Case {
        const char* cacheName;
        bool xdgConfigHome;  // whether XDG_CONFIG_HOME names the settings' parent folder
    };
    for (const Case& c : {Case{"Cache", false}, Case{"cache", true}}) {
        SCOPED_TRACE(std::string(c.cacheName) + (c.xdgConfigHome ? " with XDG_CONFIG_HOME" : ""));
        TempFolder home;
        const std::string game = home / "ut469", cache = game + "/" + c.cacheName + "/";
        for (const char* folder : {"System", "Maps", "Textures"})
            std::filesystem::create_directories(game + "/" + folder);
        TestGame madeUp;
        madeUp.LayMadeUp({{"K1", "DM-Home.unr", kind::Map}});
        std::filesystem::rename(madeUp.folders.cacheFolder, cache);
        const std::string settings =
            c.xdgConfigHome ? home / "xdg/tallyhold/tallyhold.ini" : home / ".config/tallyhold/tallyhold.ini";
        auto run = [&](std::vector<std::string> arguments) {
            std::optional<std::string> xdg;
            if (c.xdgConfigHome)
                xdg = home / "xdg";
            return RunTallyhold({arguments, "", {{"HOME", home.Path()}, {"XDG_CONFIG_HOME", xdg}}});
        };

        const ProgramResult unknown = run({"where"});
        EXPECT_EQ(unknown.exitCode, 1);
        EXPECT_PRED2(Holds, unknown.out, "No game folder is known.");
        EXPECT_EQ(run({"list"}).exitCode, 1);

        const ProgramResult stored = run({"where", "--set-game", game + "/"});
        EXPECT_EQ(stored.exitCode, 0) << stored.err;
        EXPECT_PRED2(Holds, ReadFileBytes(settings), "Folder=" + game + "\n");

        const ProgramResult found = run({"where"});
        EXPECT_EQ(found.exitCode, 0) << found.out;
        EXPECT_PRED2(Holds, found.out, "Game folder:  " + game + "/\n");
        EXPECT_PRED2(Holds, found.out, "Cache folder: " + cache + "\n");
        const ProgramResult listed = run({"list"});
        EXPECT_EQ(listed.exitCode, 0) << listed.err;
        EXPECT_PRED2(Holds, listed.out, "DM-Home.unr");
    }
}

}  // namespace
}  // namespace thld::test
