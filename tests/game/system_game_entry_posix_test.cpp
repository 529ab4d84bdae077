// Where the entry is kept without a registry: the program's settings file, found from HOME and
// XDG_CONFIG_HOME.
#include "game/system_game_entry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "platform/environment.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

// Sets a variable (or unsets it, given nothing) for the life of the object.
class EnvironmentOverride {
public:
    EnvironmentOverride(const char* name, const std::optional<std::string>& value)
        : name_(name), saved_(EnvironmentVariable(name))
    {
        Set(value);
    }
    ~EnvironmentOverride() { Set(saved_); }
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

private:
    void Set(const std::optional<std::string>& value)
    {
        if (value)
            ::setenv(name_, value->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    const char* name_;
    std::optional<std::string> saved_;
};

TEST(SystemGameEntry, KeptInTheSettingsFileOfTheConfigFolder)
{
#if defined(__APPLE__)
    GTEST_SKIP() << "the places of Linux";
#endif
    test::TempFolder home;
    struct Case {
        std::optional<std::string> home, config;
        std::string file;  // where the entry is kept; empty when nowhere
    };
    const std::vector<Case> cases = {
        {home.Path(), std::nullopt, home.Path() + ".config/tallyhold/tallyhold.ini"},
        {home.Path(), home.Path() + "cfg", home.Path() + "cfg/tallyhold/tallyhold.ini"},
        {home.Path(), std::string("relative"), home.Path() + ".config/tallyhold/tallyhold.ini"},
        {std::string(), std::nullopt, ""},
    };
    for (const Case& c : cases) {
        EnvironmentOverride setHome("HOME", c.home), setConfig("XDG_CONFIG_HOME", c.config);
        const SearchPlaces places = SearchPlaces::OfThisSystem();
        std::unique_ptr<GameEntryStore> store = SystemGameEntryStore(places);
        EXPECT_EQ(store->Read().result, GameEntryRead::Result::NoKey);
        EXPECT_EQ(store->Write("/games/ut"), !c.file.empty()) << c.file;
        if (c.file.empty())
            continue;
        EXPECT_EQ(places.gameUserFolder, home.Path() + ".utpg/");
        GameEntryRead read = store->Read();
        EXPECT_EQ(read.result, GameEntryRead::Result::Read);
        EXPECT_EQ(read.bytes, "/games/ut");
        EXPECT_EQ(read.source, c.file);
        std::remove(c.file.c_str());
    }
}

}  // namespace
}  // namespace thld
