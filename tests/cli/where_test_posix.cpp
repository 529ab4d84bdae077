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
        const std::string nothingStored = "No game folder is stored in " + settings +
                                          ", and no launcher names one.\nName it with --game DIR, or store it once "
                                          "with: tallyhold where --set-game DIR\n";
        EXPECT_PRED2(Holds, unknown.out, nothingStored);
        const ProgramResult unlisted = run({"list"});
        EXPECT_EQ(unlisted.exitCode, 1);
        EXPECT_PRED2(Holds, unlisted.err, nothingStored);

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

// With nothing stored, the installations that launchers name are opened, listed and picked.
TEST(CliWhere, OpensWhatTheLaunchersNameWithNothingStored)
{
    struct Case {
        const char* what;
        std::string cache;                                       // where the made-up cache goes, relative to the home
        std::vector<std::string> files;                          // laid out empty, relative to the home
        std::vector<std::pair<std::string, std::string>> texts;  // files with their text; '@' is the home
        std::string game;                                        // the game folder `where` shows, or "(none)"
    };
    const std::string steam = ".local/share/Steam/steamapps/";
    const std::vector<Case> cases = {
        {"native 469 with only ~/.utpg", ".utpg/Cache/", {".utpg/System/UnrealTournament.ini"}, {}, "(none)"},
        {"Steam",
         steam + "common/UT/Cache/",
         {steam + "common/UT/System/UnrealTournament.exe"},
         {{steam + "appmanifest_13240.acf", "\"AppState\" { \"installdir\" \"UT\" }"}},
         "@" + steam + "common/UT/"},
        {"Lutris",
         "ut/Cache/",
         {"ut/System/UnrealTournament.exe"},
         {{".config/lutris/games/ut.yml", "game:\n  exe: @ut/System/UnrealTournament.exe\n"}},
         "@ut/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder home;
        const auto at = [&](std::string text) {
            for (std::size_t i = text.find('@'); i != std::string::npos; i = text.find('@', i))
                text.replace(i, 1, home.Path());
            return text;
        };
        const auto write = [&](const std::string& file, const std::string& text) {
            std::filesystem::create_directories(std::filesystem::path(home / file).parent_path());
            home.Write(file, text);
        };
        for (const std::string& file : c.files)
            write(file, "");
        for (const auto& [file, text] : c.texts)
            write(file, at(text));
        TestGame madeUp;
        madeUp.LayMadeUp({{"K1", "DM-Found.unr", kind::Map}});
        std::filesystem::create_directories(std::filesystem::path(home / c.cache).parent_path().parent_path());
        std::filesystem::rename(madeUp.folders.cacheFolder, home / c.cache);
        auto run = [&](std::vector<std::string> arguments) {
            return RunTallyhold({arguments, "", {{"HOME", home.Path()}, {"XDG_CONFIG_HOME", {}}, {"WINEPREFIX", {}}}});
        };

        const ProgramResult where = run({"where"});
        EXPECT_EQ(where.exitCode, 0) << where.out;
        EXPECT_PRED2(Holds, where.out, "Game folder:  " + at(c.game) + "\n");
        EXPECT_PRED2(Holds, where.out, "Cache folder: " + home / c.cache + "\n");
        EXPECT_PRED2(Holds, where.out, "* 1  " + at(c.game));
        const ProgramResult listed = run({"list"});
        EXPECT_EQ(listed.exitCode, 0) << listed.err;
        EXPECT_PRED2(Holds, listed.out, "DM-Found.unr");
        EXPECT_EQ(run({"list", "--install", "1"}).exitCode, 0);
        const ProgramResult none = run({"list", "--install", "2"});
        EXPECT_EQ(none.exitCode, 1);
        EXPECT_PRED2(Holds, none.err, "There is no installation 2");
        EXPECT_EQ(run({"list", "--install", "x"}).exitCode, 2);
    }
}

TEST(CliWhere, SetGameRefusesAFileAndALineBreak)
{
    TempFolder home;
    home.Write("file", "");
    home.MakeFolder("two\nlines");
    struct Case {
        std::string given, said;
    };
    for (const Case& c :
         {Case{home / "file", home / "file is not a folder."}, Case{home / "two\nlines", "holds a line break"}}) {
        const ProgramResult set =
            RunTallyhold({{"where", "--set-game", c.given}, "", {{"HOME", home.Path()}, {"XDG_CONFIG_HOME", {}}}});
        EXPECT_EQ(set.exitCode, 1);
        EXPECT_PRED2(Holds, set.err, c.said);
        EXPECT_FALSE(home.Exists(".config/tallyhold/tallyhold.ini"));
    }
}

}  // namespace
}  // namespace thld::test
