// THLD.exe's search before its question, on the registry under Wine: Steam's and OldUnreal's
// uninstall entries and GOG's entries name the game; entries naming something else are passed over.
#include <gtest/gtest.h>

#include <windows.h>

#include "game/installation_search.h"
#include "game/registry_game_entry.h"
#include "support/file_tree.h"

namespace thld {
namespace {

const std::string kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// Keys of the test's own, removed again when it ends.
class RegistryKeys {
public:
    ~RegistryKeys()
    {
        for (const std::string& key : made_)
            ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), KEY_WOW64_32KEY, 0);
    }
    void Put(const std::string& key, const std::string& name, const std::string& value)
    {
        ASSERT_EQ(WriteRegistryString(RegistryHive::LocalMachine, RegistryView::Bits32, key, name, value), 0u);
        made_.push_back(key);
    }

private:
    std::vector<std::string> made_;
};

TEST(EveryInstallationOnWindows, UninstallAndGogEntriesNameTheGame)
{
    test::TempFolder folder;
    test::LayOut(folder, {{"steam/UT/System/UnrealTournament.exe", ""},
                          {"oldunreal/System/UnrealTournament.exe", ""},
                          {"gog/UT GOTY/System/UnrealTournament.exe", ""},
                          {"gog/Other/game.exe", ""}});
    RegistryKeys keys;
    keys.Put(kUninstall + "Steam App 13240", "InstallLocation", folder / "steam\\UT");
    keys.Put(kUninstall + "OldUnreal_ut99", "InstallLocation", folder / "oldunreal");
    keys.Put("SOFTWARE\\GOG.com\\Games\\1207658691", "path", folder / "gog\\UT GOTY");
    keys.Put("SOFTWARE\\GOG.com\\Games\\1", "path", folder / "gog\\Other");
    keys.Put("SOFTWARE\\GOG.com\\Games\\2", "path", "not a folder");

    SearchPlaces places;
    places.system = SearchPlaces::System::Windows;
    places.registry = &SystemRegistry();
    const InstallationList list = FindEveryInstallation(places);

    struct Expected {
        std::string game;
        FoundBy foundBy;
    };
    const std::vector<Expected> expected = {
        {folder / "steam\\UT\\", FoundBy::Registry},
        {folder / "oldunreal\\", FoundBy::Registry},
        {folder / "gog\\UT GOTY\\", FoundBy::Registry},
    };
    ASSERT_EQ(list.installations.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(list.installations[i].folders.gameFolder, expected[i].game);
        EXPECT_EQ(list.installations[i].folders.cacheFolder, expected[i].game + "cache\\");
        EXPECT_EQ(list.installations[i].foundBy, expected[i].foundBy);
    }
    bool passedOver = false;
    for (const FolderFinding& finding : list.findings)
        passedOver = passedOver || finding.why.find("holds no System") != std::string::npos;
    EXPECT_TRUE(passedOver);
}

}  // namespace
}  // namespace thld
