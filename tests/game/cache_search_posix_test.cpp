// Where the native game on Linux and macOS keeps its cache, found on fake homes and game folders.
#include <gtest/gtest.h>

#include "game/cache_search.h"
#include "support/file_tree.h"

namespace thld {
namespace {

std::string Ini(const std::string& cachePath)
{
    return "[Core.System]\nPurgeCacheDays=30\nCachePath=" + cachePath + "\n";
}

// The text as UTF-16LE with its byte-order mark.
std::string Utf16WithMark(const std::string& ascii)
{
    std::string bytes = "\xFF\xFE";
    for (char c : ascii)
        bytes += std::string{c, '\0'};
    return bytes;
}

const std::string kIndex = "[Cache]\n";

struct Case {
    const char* what;
    test::FileTree tree;   // under the fake home; the game folder is "ut/"
    std::string taken;     // the cache folder, relative to the home
    std::string why = "";  // said of some candidate (part of its words)
    SearchPlaces::System system = SearchPlaces::System::Linux;
};

TEST(CacheSearchNative, CandidatesInOrder)
{
    const std::string mac = "Library/Application Support/Unreal Tournament/";
    const std::vector<Case> cases = {
        {"nothing anywhere: the game folder's Cache", {{"ut/Maps/", ""}}, "ut/Cache/", "no UnrealTournament.ini"},
        {"the game folder's cache in lower case", {{"ut/cache/", ""}}, "ut/cache/"},
        {"the per-user Cache with a cache.ini", {{".utpg/Cache/cache.ini", kIndex}, {"ut/Cache/", ""}}, ".utpg/Cache/"},
        {"the per-user cache in lower case", {{".utpg/cache/cache.ini", kIndex}}, ".utpg/cache/"},
        {"a per-user Cache without cache.ini is passed over",
         {{".utpg/Cache/", ""}},
         "ut/Cache/",
         "holds no cache.ini"},
        {"the game's own settings: a relative CachePath from the per-user System folder",
         {{"ut/System/UnrealTournament.ini", Ini("../Cache")}, {".utpg/Cache/", ""}},
         ".utpg/Cache/",
         "named by CachePath"},
        {"the per-user settings",
         {{".utpg/System/UnrealTournament.ini", Ini("../Downloads")}, {".utpg/Downloads/", ""}},
         ".utpg/Downloads/"},
        {"the game's settings come before the per-user ones",
         {{"ut/System/UnrealTournament.ini", Ini("../A")},
          {".utpg/System/UnrealTournament.ini", Ini("../B")},
          {".utpg/A/", ""},
          {".utpg/B/", ""}},
         ".utpg/A/",
         "the game reads"},
        {"names in any case",
         {{"ut/system/unrealtournament.ini", Ini("..\\CACHE")}, {".utpg/Cache/", ""}},
         ".utpg/Cache/"},
        {"an absolute CachePath in the game folder",
         {{".utpg/System/UnrealTournament.ini", Ini("@ut/Shared")}, {"ut/Shared/", ""}},
         "ut/Shared/"},
        {"a CachePath elsewhere without cache.ini",
         {{".utpg/System/UnrealTournament.ini", Ini("@elsewhere")}, {"elsewhere/", ""}},
         "ut/Cache/",
         "holds no cache.ini"},
        {"a CachePath elsewhere with a cache.ini",
         {{".utpg/System/UnrealTournament.ini", Ini("@elsewhere")}, {"elsewhere/cache.ini", kIndex}},
         "elsewhere/"},
        {"a CachePath that does not exist",
         {{".utpg/System/UnrealTournament.ini", Ini("../Gone")}, {".utpg/Cache/cache.ini", kIndex}},
         ".utpg/Cache/",
         "does not exist"},
        {"an unreadable settings file",
         {{".utpg/System/UnrealTournament.ini/", ""}, {".utpg/Cache/cache.ini", kIndex}},
         ".utpg/Cache/",
         "can't be read"},
        {"a settings file that isn't text",
         {{".utpg/System/UnrealTournament.ini", std::string("\x01\x00\x02", 3)}, {"ut/Cache/", ""}},
         "ut/Cache/",
         "not text"},
        {"a settings file in UTF-16 with a mark",
         {{".utpg/System/UnrealTournament.ini", Utf16WithMark(Ini("../U"))}, {".utpg/U/", ""}},
         ".utpg/U/"},
        {"macOS: the per-user folder in Application Support",
         {{mac + "Cache/cache.ini", kIndex}},
         mac + "Cache/",
         "",
         SearchPlaces::System::MacOS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolder home;
        test::LayOut(home, c.tree);
        home.MakeFolder("ut/");
        SearchPlaces places;
        places.system = c.system;
        places.home = home.Path();
        places.gameUserFolder = home.Path() + (c.system == SearchPlaces::System::MacOS ? mac : ".utpg/");

        std::vector<FolderFinding> findings;
        CacheFolderChoice choice = FindCacheFolder(home / "ut/", places, findings);
        EXPECT_EQ(choice.folder, home.Path() + c.taken);
        int taken = 0;
        bool said = c.why.empty();
        for (const FolderFinding& finding : findings) {
            taken += finding.taken ? 1 : 0;
            said = said || finding.why.find(c.why) != std::string::npos;
        }
        EXPECT_EQ(taken, 1);
        EXPECT_TRUE(said) << c.why;
    }
}

}  // namespace
}  // namespace thld
