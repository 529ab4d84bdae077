// Every installation on a machine, found on fake homes laid out in each launcher's own format, and
// the malformed and hostile versions of those files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "game/installation_search.h"
#include "game/launcher_file.h"
#include "game/settings_game_entry.h"
#include "support/file_tree.h"

namespace thld {
namespace {

const std::string kExe = "System/UnrealTournament.exe";
const std::string kIndex = "[Cache]\n";
const std::string kUt = "UT/";

std::string Vdf(const std::string& libraries) { return "\"libraryfolders\"\n{\n" + libraries + "}\n"; }
std::string Acf(const std::string& installDir)
{
    return "\"AppState\"\n{\n\t\"appid\"\t\t\"13240\"\n\t\"installdir\"\t\t\"" + installDir + "\"\n}\n";
}
std::string Reg(const std::string& key, const std::string& value)
{
    return "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n[" + key +
           "] 1700000000\n#time=1d9\n\"Folder\"=\"" + value + "\"\n";
}

// What a case lays out besides its tree.
enum class Extra {
    None,
    WineDriveC,  // .wine/dosdevices/c: a link to ../drive_c
    Fifo,        // the Steam root's libraryfolders.vdf a FIFO
    HugeJson,    // Heroic's installed.json larger than any launcher's file
};

struct Expected {
    std::string game;   // relative to the home; empty for none
    std::string cache;  // relative to the home
    FoundBy foundBy;
};

struct Case {
    const char* what;
    test::FileTree tree;
    std::vector<Expected> found;
    std::string said = "";  // part of some finding's words
    Extra extra = Extra::None;
};

const std::string kSteam = ".local/share/Steam/steamapps/";
const std::string kLib = "lib2/steamapps/";
const std::string kSteamGame = kLib + "common/Unreal Tournament/";
const std::string kLutris = ".config/lutris/games/";
const std::string kWine = ".wine/drive_c/";
const std::string kWineGame = ".wine/dosdevices/c:/";

TEST(EveryInstallation, OnFakeHomes)
{
    const std::vector<Case> cases = {
        {"a Steam library named in libraryfolders.vdf",
         {{kSteam + "libraryfolders.vdf", Vdf("\t\"0\"\n\t{\n\t\t\"path\"\t\t\"@lib2\"\n\t}\n")},
          {kLib + "appmanifest_13240.acf", Acf("Unreal Tournament")},
          {kSteamGame + kExe, ""}},
         {{kSteamGame, kSteamGame + "Cache/", FoundBy::Steam}}},
        {"the older list, numbered paths, and a cache spelt in lower case",
         {{kSteam + "libraryfolders.vdf",
           "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\"1\"\n\t\"1\"\t\"@lib2\"\n}\n"},
          {kLib + "appmanifest_13240.acf", Acf("Unreal Tournament")},
          {kSteamGame + kExe, ""},
          {kSteamGame + "cache/cache.ini", kIndex}},
         {{kSteamGame, kSteamGame + "cache/", FoundBy::Steam}}},
        {"a VDF that never closes: the root's own library is still looked at",
         {{kSteam + "libraryfolders.vdf", "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\"@lib2\"\n"},
          {kSteam + "appmanifest_13240.acf", Acf("UT")},
          {kSteam + "common/UT/" + kExe, ""}},
         {{kSteam + "common/UT/", kSteam + "common/UT/Cache/", FoundBy::Steam}},
         "a block never closes"},
        {"an installdir that climbs out of the library",
         {{kSteam + "appmanifest_13240.acf", Acf("../../../../UT")}, {kUt + kExe, ""}},
         {},
         "no plain folder name"},
        {"libraryfolders.vdf a FIFO", {{kSteam, ""}}, {}, "not a regular file", Extra::Fifo},
        {"a Lutris game of the Windows build, and another game",
         {{kLutris + "unreal-tournament-1.yml",
           "game:\n  exe: '@games/ut/System/UnrealTournament.exe'\n  prefix: @games/pfx\nsystem:\n  exe: x\n"},
          {kLutris + "quake-2.yml", "game:\n  exe: @games/quake/quake.exe\n"},
          {"games/ut/" + kExe, ""},
          {".utpg/Cache/cache.ini", kIndex}},
         {{"games/ut/", "games/ut/Cache/", FoundBy::Lutris}, {"", ".utpg/Cache/", FoundBy::NativeUserFolder}}},
        {"Lutris's older folder, the native build taking the per-user cache",
         {{".local/share/lutris/games/ut.yml", "game:\n  exe: \"@UT/System64/ut-bin-amd64\"\n"},
          {kUt + "System64/ut-bin-amd64", ""},
          {".utpg/Cache/cache.ini", kIndex}},
         {{kUt, ".utpg/Cache/", FoundBy::Lutris}}},
        {"both builds in one folder, as OldUnreal's Lutris script installs them",
         {{kLutris + "ut.yml", "game:\n  exe: @UT/System/UnrealTournament.exe\n"},
          {kUt + kExe, ""},
          {kUt + "System64/ut-bin-amd64", ""},
          {".utpg/Cache/cache.ini", kIndex}},
         {{kUt, kUt + "Cache/", FoundBy::Lutris}, {kUt, ".utpg/Cache/", FoundBy::Lutris}}},
        {"a Lutris exe outside a System folder",
         {{kLutris + "ut.yml", "game:\n  exe: @ut/UnrealTournament.exe\n"}},
         {},
         "not in a System folder"},
        {"a long Lutris exe with blanks, folded over two lines as Lutris's YAML library writes it",
         {{kLutris + "unreal-tournament-goty-1.yml",
           "game:\n  exe: @Games/unreal-tournament-goty/drive_c/Program Files (x86)/GOG Galaxy/Games/Unreal\n"
           "    Tournament GOTY/System/UnrealTournament.exe\n  prefix: @Games/unreal-tournament-goty\n"},
          {"Games/unreal-tournament-goty/drive_c/Program Files (x86)/GOG Galaxy/Games/Unreal Tournament GOTY/" + kExe,
           ""}},
         {{"Games/unreal-tournament-goty/drive_c/Program Files (x86)/GOG Galaxy/Games/Unreal Tournament GOTY/",
           "Games/unreal-tournament-goty/drive_c/Program Files (x86)/GOG Galaxy/Games/Unreal Tournament GOTY/Cache/",
           FoundBy::Lutris}}},
        {"Lutris from Flathub, its exe spelt in another case",
         {{".var/app/net.lutris.Lutris/data/lutris/games/ut.yml",
           "game:\n  exe: @GAMES/ut/system/unrealtournament.exe\n"},
          {"games/ut/" + kExe, ""}},
         {{"games/ut/", "games/ut/Cache/", FoundBy::Lutris}}},
        {"a Lutris .yml of binary junk",
         {{kLutris + "ut.yml", std::string("\x7f\x45LF\x02\x01\x00\xff game:", 15)}},
         {},
         "not text"},
        {"a Lutris exe that is a Windows path",
         {{kLutris + "ut.yml", "game:\n  exe: C:\\UnrealTournament\\System\\UnrealTournament.exe\n"}},
         {},
         "its game: exe is a Windows path, which Lutris would not run: "
         "C:\\UnrealTournament\\System\\UnrealTournament.exe"},
        {"a Lutris exe that is a relative path",
         {{kLutris + "ut.yml", "game:\n  exe: drive_c/UnrealTournament/System/UnrealTournament.exe\n"}},
         {},
         "its game: exe is a relative path: drive_c/UnrealTournament/System/UnrealTournament.exe"},
        {"Steam's installdir in another case than the folder",
         {{kSteam + "libraryfolders.vdf", Vdf("\t\"0\"\n\t{\n\t\t\"path\"\t\t\"@lib2\"\n\t}\n")},
          {kLib + "appmanifest_13240.acf", Acf("unreal tournament")},
          {kSteamGame + kExe, ""}},
         {{kSteamGame, kSteamGame + "Cache/", FoundBy::Steam}}},
        {"a Steam library on a disk that is not mounted",
         {{kSteam + "libraryfolders.vdf",
           Vdf("\t\"1\"\n\t{\n\t\t\"path\"\t\t\"@run/media/player/Games/SteamLibrary\"\n\t\t\"apps\"\n"
               "\t\t{\n\t\t\t\"13240\"\t\t\"0\"\n\t\t}\n\t}\n")}},
         {},
         "a Steam library that is not there: an unmounted disk?"},
        {"Heroic's install_path in another case",
         {{".config/heroic/gog_store/installed.json", "{\"installed\": [{\"install_path\": \"@games/heroic/ut\"}]}"},
          {"Games/Heroic/UT/" + kExe, ""}},
         {{"Games/Heroic/UT/", "Games/Heroic/UT/Cache/", FoundBy::Heroic}}},
        {"Heroic's GOG list and the game's prefix",
         {{".config/heroic/gog_store/installed.json",
           "{\"installed\": [{\"platform\": \"windows\", \"install_path\": \"@Games/Heroic/Unreal Tournament "
           "GOTY\", \"appName\": \"1207658691\"}, {\"install_path\": \"@Games/Other\", \"appName\": \"1\"}]}"},
          {".config/heroic/GamesConfig/1207658691.json", "{\"1207658691\": {\"winePrefix\": \"@pfx\"}}"},
          {"Games/Heroic/Unreal Tournament GOTY/" + kExe, ""},
          {"pfx/system.reg", Reg("Software\\\\Wow6432Node\\\\Unreal Technology\\\\Installed "
                                 "Apps\\\\UnrealTournament",
                                 "Z:\\\\nowhere")}},
         {{"Games/Heroic/Unreal Tournament GOTY/", "Games/Heroic/Unreal Tournament GOTY/Cache/", FoundBy::Heroic}},
         "does not exist"},
        {"Heroic's list cut short",
         {{".config/heroic/gog_store/installed.json", "{\"installed\": [{\"install_"}},
         {},
         "not JSON"},
        {"Heroic's list far too large", {{".config/heroic/gog_store/", ""}}, {}, "too large", Extra::HugeJson},
        {"a Wine prefix's registry, through its drive C",
         {{".wine/system.reg", Reg("Software\\\\Wow6432Node\\\\Unreal Technology\\\\Installed Apps\\\\UnrealTournament",
                                   "C:\\\\Games\\\\unrealtournament")},
          {kWine + "Games/UnrealTournament/" + kExe, ""}},
         {{kWineGame + "Games/UnrealTournament/", kWineGame + "Games/UnrealTournament/Cache/", FoundBy::WinePrefix}},
         "",
         Extra::WineDriveC},
        {"a .reg path that climbs above its drive stays on it; \\x escapes",
         {{".wine/user.reg", Reg("Software\\\\Unreal Technology\\\\Installed Apps\\\\UnrealTournament",
                                 "C:\\\\..\\\\..\\\\..\\\\\\x0055T")},
          {kWine + kUt + kExe, ""}},
         {{kWineGame + kUt, kWineGame + kUt + "Cache/", FoundBy::WinePrefix}},
         "",
         Extra::WineDriveC},
        {"a .reg file without its header",
         {{".wine/system.reg", "[Software]\n\"Folder\"=\"C:\\\\UT\"\n"}},
         {},
         "not Wine's registry"},
        {"only the native game's per-user cache",
         {{".utpg/Cache/cache.ini", kIndex}, {".utpg/System/", ""}},
         {{"", ".utpg/Cache/", FoundBy::NativeUserFolder}}},
        {"one game found by two launchers is one installation",
         {{kSteam + "appmanifest_13240.acf", Acf("UT")},
          {kSteam + "common/UT/" + kExe, ""},
          {kLutris + "ut.yml", "game:\n  exe: @.local/share/Steam/steamapps/common/UT/System/UnrealTournament.exe\n"}},
         {{kSteam + "common/UT/", kSteam + "common/UT/Cache/", FoundBy::Steam}},
         "the same as installation 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolder home;
        test::LayOut(home, c.tree);
        if (c.extra == Extra::WineDriveC) {
            std::filesystem::create_directories(home / ".wine/dosdevices");
            std::filesystem::create_directory_symlink("../drive_c", home / ".wine/dosdevices/c:");
        }
        if (c.extra == Extra::Fifo) {
            ASSERT_EQ(::mkfifo((home / (kSteam + "libraryfolders.vdf")).c_str(), 0600), 0);
        }
        if (c.extra == Extra::HugeJson) {
            std::string json = "{\"installed\": [\"" + std::string(kLauncherFileLimit, 'x') + "\"]}";
            test::WriteFileBytes(home / ".config/heroic/gog_store/installed.json", json);
        }
        SearchPlaces places;
        places.system = SearchPlaces::System::Linux;
        places.home = home.Path();
        places.gameUserFolder = home / ".utpg/";
        places.searchLaunchers = true;
        const InstallationList list = FindEveryInstallation(places);

        ASSERT_EQ(list.installations.size(), c.found.size());
        for (std::size_t i = 0; i < c.found.size(); ++i) {
            const Installation& one = list.installations[i];
            EXPECT_EQ(one.folders.gameFolder, c.found[i].game.empty() ? "" : home / c.found[i].game);
            EXPECT_EQ(one.folders.cacheFolder, home / c.found[i].cache);
            EXPECT_EQ(one.foundBy, c.found[i].foundBy);
        }
        if (!c.said.empty()) {
            bool said = false;
            for (const FolderFinding& finding : list.findings)
                said = said || finding.why.find(c.said) != std::string::npos;
            EXPECT_TRUE(said) << c.said;
        }
    }
}

TEST(EveryInstallation, TheStoredOneElseTheOnlyOneElseTheCacheWrittenLast)
{
    test::TempFolder home;
    test::LayOut(home, {{kSteam + "appmanifest_13240.acf", Acf("UT")},
                        {kSteam + "common/UT/" + kExe, ""},
                        {kSteam + "common/UT/Cache/cache.ini", kIndex},
                        {".utpg/Cache/cache.ini", kIndex}});
    std::filesystem::last_write_time(home / (kSteam + "common/UT/Cache/cache.ini"),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(48));
    const std::string steamGame = home / (kSteam + "common/UT/"), userCache = home / ".utpg/Cache/";
    SearchPlaces places;
    places.system = SearchPlaces::System::Linux;
    places.home = home.Path();
    places.gameUserFolder = home / ".utpg/";
    places.searchLaunchers = true;
    SettingsGameEntry store(SettingsFile(home / "tallyhold.ini"));

    struct Case {
        const char* what;
        std::optional<std::size_t> install;
        bool stored;
        std::string cache;  // of the one opened; empty for none
        bool note;
    };
    const std::vector<Case> cases = {
        {"nothing stored: the cache written last, saying so", std::nullopt, false, userCache, true},
        {"--install 1", 1, false, steamGame + "Cache/", false},
        {"--install 3 names none", 3, false, "", false},
        {"the stored one, listed first and once", std::nullopt, true, steamGame + "Cache/", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.stored) {
            ASSERT_TRUE(store.Write(StoredValueOf(steamGame)));
        }
        InstallationRequest request;
        request.install = c.install;
        const InstallationSearch search = FindInstallation(store, places, request);
        EXPECT_EQ(search.every.size(), 2u);
        EXPECT_EQ(search.found ? search.found->folders.cacheFolder : "", c.cache);
        EXPECT_EQ(search.note.empty(), !c.note);
        EXPECT_EQ(search.every.front().foundBy, c.stored ? FoundBy::Stored : FoundBy::Steam);
    }
}

}  // namespace
}  // namespace thld
