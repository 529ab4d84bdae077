// The game's registry entry in the two views of the registry of a 64-bit program.
#include <gtest/gtest.h>

#include "win32/registry_game_entry.h"
#include "game_entry_override.h"

namespace thld::uitest {
namespace {

using Result = GameEntryRead::Result;

TEST(RegistryGameEntryTest, ReadsThe32BitViewFirstThenThe64BitView)
{
    GameEntryOverride entry;
    RegistryGameEntry registry;
    entry.Remove();
    EXPECT_EQ(registry.Read().result, Result::NoKey);
    entry.SetKeyOnly();
    EXPECT_EQ(registry.Read().result, Result::NoValue);

    entry.SetFolder64("D:\\UT64");
    GameEntryRead read = registry.Read();
    EXPECT_EQ(read.result, Result::Read);
    EXPECT_EQ(GameFolderFromValue(read.bytes), "D:\\UT64\\");

    entry.SetFolder("C:\\UnrealTournament");  // the game's installer writes the 32-bit view
    EXPECT_EQ(GameFolderFromValue(registry.Read().bytes), "C:\\UnrealTournament\\");

    entry.SetFolder(std::string(kGameEntryBufferSize, 'x'));  // 200 characters and the zero
    EXPECT_EQ(registry.Read().result, Result::NoValue);
}

TEST(RegistryGameEntryTest, WritesTheChoiceToThe32BitView)
{
    GameEntryOverride entry;
    entry.Remove();
    RegistryGameEntry registry;
    ASSERT_TRUE(registry.Write("E:\\Games\\UT"));
    EXPECT_EQ(GameEntryOverride::Folder32(), "E:\\Games\\UT");
    EXPECT_EQ(GameFolderFromValue(registry.Read().bytes), "E:\\Games\\UT\\");
}

}  // namespace
}  // namespace thld::uitest
