// Where the Windows game keeps its cache: the game folder's cache\ unless its settings name another.
#include <gtest/gtest.h>

#include "game/cache_search.h"
#include "support/file_tree.h"

namespace thld {
namespace {

std::string Ini(const std::string& cachePath) { return "[Core.System]\r\nCachePath=" + cachePath + "\r\n"; }

TEST(CacheSearchWindows, TheDefaultUnlessTheSettingsNameAnother)
{
    struct Case {
        const char* what;
        test::FileTree tree;  // the game folder is "UT/"
        std::string taken;    // relative to the test's folder
        std::string why = "";
    };
    const std::vector<Case> cases = {
        {"no settings file: exactly today's folder", {{"UT/Maps/", ""}}, "UT\\cache\\", "no such file"},
        {"the default CachePath keeps the same text",
         {{"UT/System/UnrealTournament.ini", Ini("..\\Cache")}},
         "UT\\cache\\",
         "names the default"},
        {"another folder in the game folder",
         {{"UT/System/UnrealTournament.ini", Ini("..\\Downloads")}, {"UT/Downloads/", ""}},
         "UT\\Downloads\\"},
        {"a 64-bit build's settings",
         {{"UT/System/UnrealTournament.ini", Ini("..\\Cache")},
          {"UT/System64/UnrealTournament.ini", Ini("../Cache64")},
          {"UT/Cache64/", ""}},
         "UT\\Cache64\\"},
        {"an absolute folder elsewhere with a cache.ini",
         {{"UT/System/UnrealTournament.ini", Ini("@Shared")}, {"Shared/cache.ini", "[Cache]\r\n"}},
         "Shared\\"},
        {"an absolute folder elsewhere without one",
         {{"UT/System/UnrealTournament.ini", Ini("@Shared")}, {"Shared/", ""}},
         "UT\\cache\\",
         "holds no cache.ini"},
        {"a folder in the game folder that does not exist",
         {{"UT/System/UnrealTournament.ini", Ini("..\\Gone")}},
         "UT\\cache\\",
         "does not exist"},
        {"an unreadable settings file", {{"UT/System/UnrealTournament.ini/", ""}}, "UT\\cache\\", "can't be read"},
        {"a settings file that isn't text",
         {{"UT/System/UnrealTournament.ini", std::string("A\0B", 3)}},
         "UT\\cache\\",
         "not text"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolder folder;
        test::LayOut(folder, c.tree);
        SearchPlaces places;
        places.system = SearchPlaces::System::Windows;
        std::vector<FolderFinding> findings;
        CacheFolderChoice choice = FindCacheFolder(folder / "UT/", places, findings);
        EXPECT_EQ(choice.folder, folder.Path() + c.taken);
        bool said = c.why.empty();
        for (const FolderFinding& finding : findings)
            said = said || finding.why.find(c.why) != std::string::npos;
        EXPECT_TRUE(said) << c.why;
    }
}

}  // namespace
}  // namespace thld
