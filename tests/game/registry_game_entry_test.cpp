// The order in which the registry store reads and writes the game's entry, on a stand-in registry.
#include "game/registry_game_entry.h"

#include <gtest/gtest.h>

#include <map>

#include "game/installation.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

using Result = GameEntryRead::Result;
enum Place {
    Machine32,
    Machine64,
    User
};

class FakeRegistry : public RegistryValues {
public:
    std::map<Place, RegistryString> held;
    bool machineRefused = false;
    bool userRefused = false;

    void Put(Place place, std::string value) { held[place] = {RegistryString::Result::Read, std::move(value), 0}; }
    void Put(Place place, RegistryString::Result result) { held[place] = {result, "", 2}; }

    RegistryString Read(RegistryHive hive, RegistryView view, const std::string& key, const std::string& name) override
    {
        EXPECT_EQ(key, kGameEntryKey);
        EXPECT_EQ(name, kGameEntryValue);
        auto found = held.find(PlaceOf(hive, view));
        return found == held.end() ? RegistryString{} : found->second;
    }
    unsigned long Write(RegistryHive hive, RegistryView view, const std::string&, const std::string&,
                        const std::string& value) override
    {
        if (hive == RegistryHive::LocalMachine ? machineRefused : userRefused)
            return 5;  // access denied
        Put(PlaceOf(hive, view), value);
        return 0;
    }

private:
    static Place PlaceOf(RegistryHive hive, RegistryView view)
    {
        if (hive == RegistryHive::CurrentUser)
            return User;  // one key in both views
        return view == RegistryView::Bits32 ? Machine32 : Machine64;
    }
};

class RegistryEntryOrder : public ::testing::Test {
protected:
    test::TempFolder temp;
    const std::string there = temp.Path() + "there";  // a folder that exists
    const std::string gone = temp.Path() + "gone";    // one that does not
    FakeRegistry registry;
    RegistryGameEntry entry{registry};

    void SetUp() override { temp.MakeFolder("there"); }
};

TEST_F(RegistryEntryOrder, ReadsTheMachineViewsThenTheUserPreferringAnExistingFolder)
{
    struct Case {
        const char* what;
        std::map<Place, std::string> values;  // "" puts the key without the value
        Result result;
        int taken;  // the place read, or the place named as the source
    };
    const std::string t = there, g = gone;
    const std::vector<Case> cases = {
        {"nothing", {}, Result::NoKey, Machine32},
        {"a key without its value", {{User, ""}}, Result::NoValue, User},
        {"the 64-bit view", {{Machine64, t}}, Result::Read, Machine64},
        {"the user's entry", {{User, t}}, Result::Read, User},
        {"the machine first", {{Machine32, t}, {Machine64, t}, {User, t}}, Result::Read, Machine32},
        {"a folder that is gone comes last", {{Machine32, g}, {User, t}}, Result::Read, User},
        {"all gone: the first", {{Machine64, g}, {User, g}}, Result::Read, Machine64},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        registry.held.clear();
        for (const auto& [place, value] : c.values) {
            if (value.empty())
                registry.Put(place, RegistryString::Result::NoValue);
            else
                registry.Put(place, value);
        }
        GameEntryRead read = entry.Read();
        EXPECT_EQ(read.result, c.result);
        ASSERT_EQ(read.places.size(), 3u);
        EXPECT_EQ(read.source, read.places[static_cast<std::size_t>(c.taken)].source);
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_EQ(read.places[i].taken, c.result == Result::Read && static_cast<int>(i) == c.taken) << i;
        if (c.result == Result::Read) {
            EXPECT_EQ(read.bytes, c.values.at(static_cast<Place>(c.taken)));
        }
    }
    registry.held.clear();
    registry.Put(Machine32, RegistryString::Result::Unreadable);
    EXPECT_EQ(entry.Read().result, Result::NoValue);  // the same message as a missing value
}

TEST_F(RegistryEntryOrder, AChoiceGoesToTheMachineOrWhereThatIsRefusedToTheUser)
{
    ASSERT_TRUE(entry.Write(there));
    EXPECT_EQ(registry.held.at(Machine32).text, there);
    EXPECT_EQ(registry.held.count(User), 0u);

    registry.held.clear();
    registry.machineRefused = true;
    ASSERT_TRUE(entry.Write(there));
    EXPECT_EQ(registry.held.at(User).text, there);
    EXPECT_EQ(entry.Read().source, "HKEY_CURRENT_USER\\" + std::string(kGameEntryKey));

    // Kept, but the machine's entry still comes first: not stored as far as the caller can tell.
    registry.Put(Machine32, there);
    temp.MakeFolder("other");
    EXPECT_FALSE(entry.Write(temp.Path() + "other"));
    EXPECT_EQ(registry.held.at(User).text, temp.Path() + "other");

    registry.userRefused = true;
    EXPECT_FALSE(entry.Write(there));
}

TEST_F(RegistryEntryOrder, EveryPlaceIsAFindingAndAFolderThatIsGoneIsNoInstallation)
{
    registry.Put(Machine32, gone);
    registry.Put(User, there);
    SearchPlaces places;
    places.system = SearchPlaces::OfThisSystem().system;
    InstallationSearch search = FindInstallation(entry, places, {});
    ASSERT_TRUE(search.found);
    std::vector<FolderFinding>& findings = search.findings;
    ASSERT_GE(findings.size(), 3u);
    EXPECT_EQ(findings[0].why, "its folder does not exist");
    EXPECT_EQ(findings[1].why, "no entry");
    EXPECT_TRUE(findings[2].taken);

    registry.held.clear();
    registry.Put(Machine64, gone);
    search = FindInstallation(entry, places, {});
    EXPECT_FALSE(search.found);
    EXPECT_FALSE(findings[1].taken);
    EXPECT_NE(findings[1].why.find("does not exist"), std::string::npos);
}

}  // namespace
}  // namespace thld
