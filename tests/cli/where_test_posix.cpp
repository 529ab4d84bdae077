// tallyhold where, on a system without a registry: the game folder stored in the program's settings
// file under a home folder of the test's own, and the cache folder found in it, spelt either way;
// every launcher's file passed over, and why; what can't be used, named with its cause.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
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

// Each file a launcher left that names no game folder is in the list, with why.
TEST(CliWhere, SaysWhyEachLauncherFileIsPassedOver)
{
    TempFolder home;
    struct Case {
        const char* file;  // relative to the home
        std::string text;
        std::string said;  // '@' is the home
    };
    const std::string lutris = ".config/lutris/games/";
    const std::string passed = "  game folder  passed over  ";
    const std::string indent(28, ' ');
    const std::vector<Case> cases = {
        {".config/lutris/games/ut-windows.yml", "game:\n  exe: C:\\UnrealTournament\\System\\UnrealTournament.exe\n",
         passed + "(none)\n" + indent +
             "its game: exe is a Windows path, which Lutris would not run: "
             "C:\\UnrealTournament\\System\\UnrealTournament.exe; from @.config/lutris/games/ut-windows.yml\n"},
        {".config/lutris/games/ut-relative.yml", "game:\n  exe: drive_c/UT/System/UnrealTournament.exe\n",
         passed + "(none)\n" + indent +
             "its game: exe is a relative path: drive_c/UT/System/UnrealTournament.exe; from "
             "@.config/lutris/games/ut-relative.yml\n"},
        {".config/lutris/games/junk.yml",
         std::string("\x7f"
                     "ELF\x02\x01\x00\xff",
                     8),
         passed + "(none)\n" + indent + "not text; from @.config/lutris/games/junk.yml\n"},
        {".local/share/Steam/steamapps/libraryfolders.vdf",
         "\"libraryfolders\"\n{\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"@run/media/player/Games/SteamLibrary\"\n\t}\n}\n",
         passed + "@run/media/player/Games/SteamLibrary/ (not there)\n" + indent +
             "a Steam library that is not there: an unmounted disk?; from "
             "@.local/share/Steam/steamapps/libraryfolders.vdf\n"},
    };
    const auto at = [&](std::string text) {
        for (std::size_t i = text.find('@'); i != std::string::npos; i = text.find('@', i))
            text.replace(i, 1, home.Path());
        return text;
    };
    for (const Case& c : cases) {
        std::filesystem::create_directories(std::filesystem::path(home / c.file).parent_path());
        home.Write(c.file, at(c.text));
    }
    const ProgramResult where =
        RunTallyhold({{"where"}, "", {{"HOME", home.Path()}, {"XDG_CONFIG_HOME", {}}, {"WINEPREFIX", {}}}});
    EXPECT_EQ(where.exitCode, 1);
    for (const Case& c : cases)
        EXPECT_PRED2(Holds, where.out, at(c.said)) << c.file;
}

// What can't be used is named with what it is or why it can't be read, never taken for nothing.
TEST(CliWhere, NamesWhatCantBeUsedWithItsCause)
{
    enum class Lay {
        FifoSettings,
        SocketSettings,
        FolderSettings,
        LoopSettings,
        None,
        Unreadable,  // a cache folder of mode 000, to another user
    };
    struct Case {
        const char* what;
        Lay lay;
        std::vector<std::string> arguments;  // '@' is the home
        std::string said;                    // on standard output for where, else on standard error
    };
    const std::string nameIt = "\nName it with --game DIR, or store it once with: tallyhold where --set-game DIR\n";
    const std::string settings = "@.config/tallyhold/tallyhold.ini";
    const std::vector<Case> cases = {
        {"a FIFO for the settings file",
         Lay::FifoSettings,
         {"where"},
         "No game folder can be read from " + settings + ": the settings file is a FIFO, not a regular file." + nameIt},
        {"a socket for the settings file",
         Lay::SocketSettings,
         {"where"},
         "No game folder can be read from " + settings + ": the settings file is a socket, not a regular file." +
             nameIt},
        {"a folder for the settings file",
         Lay::FolderSettings,
         {"list"},
         "No game folder can be read from " + settings + ": the settings file is a folder, not a regular file." +
             nameIt},
        {"a link in a loop for the settings file",
         Lay::LoopSettings,
         {"where"},
         "No game folder can be read from " + settings + ": the settings file is a link that leads round in a loop." +
             nameIt},
        {"--game naming a file", Lay::None, {"list", "--game", "@afile/"}, "tallyhold: @afile is not a folder.\n"},
        {"--game naming a FIFO", Lay::None, {"list", "--game", "@afifo"}, "tallyhold: @afifo is not a folder.\n"},
        {"--cache naming a file", Lay::None, {"list", "--cache", "@afile"}, "tallyhold: @afile is not a folder.\n"},
        {"a line break in --game",
         Lay::None,
         {"list", "--game", "@two\nlines"},
         "tallyhold: @two?lines/ was not found.\n"},
        {"a cache folder that can't be read",
         Lay::Unreadable,
         {"list", "--cache", "@ut/cache"},
         "tallyhold: The cache folder @ut/cache/ can't be read: access was denied.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder home;
        const auto at = [&](std::string text) {
            for (std::size_t i = text.find('@'); i != std::string::npos; i = text.find('@', i))
                text.replace(i, 1, home.Path());
            return text;
        };
        home.Write("afile", "");
        ASSERT_EQ(::mkfifo((home / "afifo").c_str(), 0600), 0);
        const std::string ini = at(settings);
        std::filesystem::create_directories(home / ".config/tallyhold");
        if (c.lay == Lay::FifoSettings) {
            ASSERT_EQ(::mkfifo(ini.c_str(), 0600), 0);
        } else if (c.lay == Lay::SocketSettings) {
            const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            ASSERT_LT(ini.size(), sizeof(address.sun_path));
            std::memcpy(address.sun_path, ini.c_str(), ini.size() + 1);
            ASSERT_EQ(::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
            ::close(socket);
        } else if (c.lay == Lay::FolderSettings) {
            std::filesystem::create_directory(ini);
        } else if (c.lay == Lay::LoopSettings) {
            std::filesystem::create_symlink("tallyhold.ini", ini);
        } else if (c.lay == Lay::Unreadable) {
            std::filesystem::create_directories(home / "ut/cache");
            home.Write("ut/cache/cache.ini", "[Cache]\n");
            std::filesystem::permissions(home / "ut/cache", std::filesystem::perms::none);
            std::filesystem::permissions(home.Path(), std::filesystem::perms::others_exec,
                                         std::filesystem::perm_options::add);
        }
        std::vector<std::string> arguments;
        for (const std::string& argument : c.arguments)
            arguments.push_back(at(argument));
        const ProgramResult result = RunTallyhold({arguments,
                                                   "",
                                                   {{"HOME", home.Path()}, {"XDG_CONFIG_HOME", {}}, {"WINEPREFIX", {}}},
                                                   c.lay == Lay::Unreadable,
                                                   20});
        if (c.lay == Lay::Unreadable) {
            std::filesystem::permissions(home / "ut/cache", std::filesystem::perms::owner_all);
            if (result.exitCode == 127) {
                std::cout << "[   NOTE   ] " << c.what
                          << ": not tried (the other user can't reach the temporary folder)\n";
                continue;
            }
        }
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_PRED2(Holds, arguments.front() == "where" ? result.out : result.err, at(c.said));
    }
}

}  // namespace
}  // namespace thld::test
