// The game's registry entry in the real registry: both hives, both views of a 64-bit program, and
// values of any length and any characters.
#include <gtest/gtest.h>

#include <windows.h>

#include "game/installation.h"
#include "game/registry_game_entry.h"
#include "game_entry_override.h"
#include "platform/registry.h"

namespace thld::uitest {
namespace {

using Result = GameEntryRead::Result;
using Place = GameEntryOverride::Place;

const std::string k200(200, 'x');
const std::string k1000 = "C:\\" + std::string(997, 'y');
const std::string kWide = "C:\\Spiele\\\xC3\x9Cnreal \xE2\x98\x83";  // "Ünreal ☃"

TEST(RegistryValue, OneStringInEveryHiveAndView)
{
    const std::string key = "SOFTWARE\\Tallyhold Tests";
    const std::wstring wideKey = L"SOFTWARE\\Tallyhold Tests";
    for (RegistryHive hive : {RegistryHive::LocalMachine, RegistryHive::CurrentUser}) {
        for (RegistryView view : {RegistryView::Bits32, RegistryView::Bits64}) {
            const HKEY root = hive == RegistryHive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
            const REGSAM flag = view == RegistryView::Bits32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
            ::RegDeleteKeyExW(root, wideKey.c_str(), flag, 0);
            EXPECT_EQ(ReadRegistryString(hive, view, key, "Folder").result, RegistryString::Result::NoKey);
            for (const std::string& value : {k200, k1000, kWide, std::string(32767, 'z'), std::string()}) {
                ASSERT_EQ(WriteRegistryString(hive, view, key, "Folder", value), 0u);
                RegistryString read = ReadRegistryString(hive, view, key, "Folder");
                EXPECT_EQ(read.result, RegistryString::Result::Read);
                EXPECT_EQ(read.text, value);
            }
            EXPECT_EQ(ReadRegistryString(hive, view, key, "Other").result, RegistryString::Result::NoValue);
            ::RegDeleteKeyExW(root, wideKey.c_str(), flag, 0);
        }
    }
}

TEST(RegistryGameEntryTest, ReadsTheMachineViewsThenTheUserWhateverTheLength)
{
    GameEntryOverride entry;
    RegistryGameEntry registry;
    entry.Remove();
    EXPECT_EQ(registry.Read().result, Result::NoKey);
    entry.SetKeyOnly();
    EXPECT_EQ(registry.Read().result, Result::NoValue);
    entry.Remove();
    GameEntryOverride::Put(Place::User, std::nullopt);
    EXPECT_EQ(registry.Read().result, Result::NoValue);

    struct Case {
        std::vector<std::pair<Place, std::string>> values;
        Place read;
    };
    const std::vector<Case> cases = {
        {{{Place::Machine64, "D:\\UT64"}}, Place::Machine64},
        {{{Place::Machine32, "C:\\UnrealTournament"}, {Place::Machine64, "D:\\UT64"}}, Place::Machine32},
        {{{Place::User, "E:\\Steam\\UT"}}, Place::User},
        {{{Place::Machine64, "D:\\UT64"}, {Place::User, "E:\\Steam\\UT"}}, Place::Machine64},
        {{{Place::Machine32, k200}}, Place::Machine32},
        {{{Place::User, k1000}}, Place::User},
        {{{Place::Machine32, kWide}}, Place::Machine32},
    };
    for (const Case& c : cases) {
        entry.Remove();
        std::string expected;
        for (const auto& [place, value] : c.values) {
            GameEntryOverride::Put(place, value);
            if (place == c.read)
                expected = value;
        }
        GameEntryRead read = registry.Read();
        EXPECT_EQ(read.result, Result::Read) << expected;
        EXPECT_EQ(read.bytes, expected);
        EXPECT_EQ(read.source, read.places[static_cast<std::size_t>(c.read)].source);
    }
}

// The registry, but HKEY_LOCAL_MACHINE can't be written, as for a user who is no administrator.
class MachineRefused : public RegistryValues {
public:
    RegistryString Read(RegistryHive hive, RegistryView view, const std::string& key, const std::string& name) override
    {
        return SystemRegistry().Read(hive, view, key, name);
    }
    unsigned long Write(RegistryHive hive, RegistryView view, const std::string& key, const std::string& name,
                        const std::string& value) override
    {
        if (hive == RegistryHive::LocalMachine)
            return ERROR_ACCESS_DENIED;
        return SystemRegistry().Write(hive, view, key, name, value);
    }
};

class AnsweringPicker : public FolderPicker {
public:
    int asked = 0;
    std::optional<std::string> Pick(const std::string&) override
    {
        ++asked;
        return std::string("F:\\Games\\UT\\");
    }
};

TEST(RegistryGameEntryTest, AChoiceGoesToTheMachineOrWhereRefusedToTheUser)
{
    GameEntryOverride entry;
    entry.Remove();
    RegistryGameEntry registry;
    ASSERT_TRUE(registry.Write(kWide));
    EXPECT_EQ(GameEntryOverride::Folder32(), kWide);
    EXPECT_EQ(GameEntryOverride::Get(Place::User), std::nullopt);

    entry.Remove();
    MachineRefused refused;
    RegistryGameEntry userOnly(refused);
    AnsweringPicker picker;
    int told = 0;
    const FolderAsking asking{picker, [&](GameEntryRead::Result) {
                                  ++told;
                                  return true;
                              }};
    InstallationRequest request;
    request.acceptGoneFolder = true;
    request.ask = &asking;
    auto find = [&] { return FindInstallation(userOnly, SearchPlaces(), request).found->folders.gameFolder; };
    EXPECT_EQ(find(), "F:\\Games\\UT\\");
    EXPECT_EQ(GameEntryOverride::Get(Place::User), "F:\\Games\\UT");
    EXPECT_EQ(GameEntryOverride::Folder32(), std::nullopt);
    // Remembered: the next start asks nothing.
    EXPECT_EQ(find(), "F:\\Games\\UT\\");
    EXPECT_EQ(picker.asked, 1);
    EXPECT_EQ(told, 1);
}

}  // namespace
}  // namespace thld::uitest
