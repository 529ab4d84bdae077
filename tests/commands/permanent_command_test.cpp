#include <filesystem>

#include "commands/command_fixture.h"
#include "package/package_kind.h"
#include "support/kinds.h"

namespace thld::test {
namespace {

std::string MoveQuestion(const std::string& name)
{
    return "Are you sure you want to make this file permanent?\r\n\r\n" + name;
}

using PermanentCommand = CommandTest;

TEST_F(PermanentCommand, ARefusalEndsTheRunAndListsAgainOnlyAfterAnEarlierYes)
{
    Lay({{"K1", "One.utx", kTex}, {"K2", "Two.utx", kTex}, {"K3", "Three.utx", kTex}});

    ScriptedPrompt firstNo({false});
    EXPECT_FALSE(Permanent({true, true, true}, firstNo));
    EXPECT_EQ(firstNo.questions.size(), 1u);
    EXPECT_FALSE(temp.Exists("game/cache/cache.bak"));

    ScriptedPrompt secondNo({true, false});
    EXPECT_TRUE(Permanent({true, true, true}, secondNo));
    ASSERT_EQ(secondNo.questions.size(), 2u);
    EXPECT_EQ(secondNo.questions[0].title, "Confirm Move File");
    EXPECT_EQ(secondNo.questions[0].message, MoveQuestion("One.utx"));
    EXPECT_EQ(secondNo.questions[1].message, MoveQuestion("Two.utx"));
    EXPECT_TRUE(Moved("Textures/One.utx", kTex, "K1"));
    EXPECT_TRUE(IsCached("K2"));
    EXPECT_TRUE(IsCached("K3"));
    EXPECT_EQ(IndexLines(), (std::vector<std::string>{"[Cache]", "K2=Two.utx", "K3=Three.utx"}));
}

// A name with a package extension goes, as it is spelt, to the folder of that extension; one
// without goes by its kind.
TEST_F(PermanentCommand, EachPackageGoesToTheFolderOfItsExtensionOrElseOfItsKind)
{
    Lay({{"K1", "DM-Deck16][.unr", kMap},
         {"K2", "Announcer.uax", kScript},
         {"K3", "Plain", kMap},
         {"K4", "Loud.UTX", kTex},
         {"K5", "Odd.name.u", kScript}});

    ScriptedPrompt prompt({true, true, true, true, true});
    EXPECT_TRUE(Permanent({true, true, true, true, true}, prompt));
    EXPECT_EQ(prompt.questions.size(), 5u);  // the moves themselves ask nothing
    EXPECT_TRUE(Moved("Maps/DM-Deck16][.unr", kMap, "K1"));
    EXPECT_TRUE(Moved("Sounds/Announcer.uax", kScript, "K2"));
    EXPECT_TRUE(Moved("Maps/Plain.unr", kMap, "K3"));
    EXPECT_TRUE(Moved("Textures/Loud.UTX", kTex, "K4"));
    EXPECT_TRUE(Moved("System/Odd.name.u", kScript, "K5"));
    EXPECT_EQ(IndexLines(), (std::vector<std::string>{"[Cache]"}));
}

TEST_F(PermanentCommand, KindsWithoutADestinationAndItemsWithoutALineStayQuietly)
{
    Lay({{"K1", "Song", "music"}, {"K2", "Map.unr", kMap}});
    items.push_back(PackageItem{"Gone.unr", 9, "K9", kind::Map, "", 0, {}});

    ScriptedPrompt prompt({true, true});
    EXPECT_TRUE(Permanent({true, false, true}, prompt));
    EXPECT_EQ(prompt.questions[0].message, MoveQuestion("Song"));
    EXPECT_EQ(prompt.questions[1].message, MoveQuestion(""));
    EXPECT_TRUE(prompt.told.empty());
    EXPECT_TRUE(IsCached("K1"));
    EXPECT_EQ(IndexLines(), (std::vector<std::string>{"[Cache]", "K1=Song", "K2=Map.unr"}));
    EXPECT_EQ(Snapshot(Path("Maps")).size(), 0u);
}

TEST_F(PermanentCommand, AnExistingDestinationIsReplacedOnlyAfterAYes)
{
    Lay({{"K1", "Arena.unr", kMap}});
    temp.Write("game/Maps/Arena.unr", "the player's own");
    const std::string replaceQuestion =
        "This file already exists at " + Path("Maps/Arena.unr") + "\r\nAre you sure you want to replace it?";

    ScriptedPrompt no({true, false});
    EXPECT_TRUE(Permanent({true}, no));
    ASSERT_EQ(no.questions.size(), 2u);
    EXPECT_EQ(no.questions[1].title, "Confirm Replace File");
    EXPECT_EQ(no.questions[1].message, replaceQuestion);
    EXPECT_EQ(temp.Read("game/Maps/Arena.unr"), "the player's own");
    EXPECT_TRUE(IsCached("K1"));
    EXPECT_TRUE(InIndex("K1=Arena.unr"));

    ScriptedPrompt yes({true, true});
    EXPECT_TRUE(Permanent({true}, yes));
    EXPECT_TRUE(Moved("Maps/Arena.unr", kMap, "K1"));
    EXPECT_FALSE(IsCached("K1"));
    EXPECT_FALSE(InIndex("K1=Arena.unr"));
    EXPECT_EQ(Snapshot(Path("Maps")).size(), 1u);  // nothing of the old file left beside it
}

// The measured fault: with Maps missing, the requirements moved and the map stayed, with a message
// about "an unnamed file". The folder is taken in the case it is found in, or made first.
TEST_F(PermanentCommand, TheDestinationFolderIsFoundInAnyCaseOrMade)
{
    struct Case {
        const char* folder;  // "" for none
        const char* landsIn;
    };
    for (const Case& c : {Case{"Maps", "Maps"}, Case{"maps", "maps"}, Case{"", "Maps"}}) {
        SCOPED_TRACE(c.folder);
        std::filesystem::remove_all(Path("Maps"));
        std::filesystem::remove_all(Path("Textures"));
        if (*c.folder)
            temp.MakeFolder("game/" + std::string(c.folder));
        Lay({{"K1", "Arena.unr", kMap, {"Walls.utx"}}, {"K2", "Walls.utx", kTex}});

        ScriptedPrompt prompt({true});
        EXPECT_TRUE(Permanent({true}, prompt));
        EXPECT_TRUE(prompt.told.empty());
        EXPECT_TRUE(Moved(std::string(c.landsIn) + "/Arena.unr", kMap, "K1"));
        EXPECT_TRUE(Moved("Textures/Walls.utx", kTex, "K2"));
        EXPECT_EQ(IndexLines(), (std::vector<std::string>{"[Cache]"}));
        std::filesystem::remove_all(Path(c.landsIn));
    }
}

// The map's run moves the ticked requirement along: no question is left to ask about it.
TEST_F(PermanentCommand, APackageMovedAlongEarlierIsPassedOverWithoutAQuestion)
{
    Lay({{"K1", "Arena.unr", kMap, {"Walls.utx"}}, {"K2", "Walls.utx", kTex}, {"K3", "Last.utx", kTex}});

    ScriptedPrompt prompt({true, true});
    EXPECT_TRUE(Permanent({true, true, true}, prompt));
    ASSERT_EQ(prompt.questions.size(), 2u);
    EXPECT_EQ(prompt.questions[1].message, MoveQuestion("Last.utx"));
    EXPECT_TRUE(Moved("Maps/Arena.unr", kMap, "K1"));
    EXPECT_TRUE(Moved("Textures/Walls.utx", kTex, "K2"));
    EXPECT_TRUE(Moved("Textures/Last.utx", kTex, "K3"));
    EXPECT_EQ(IndexLines(), (std::vector<std::string>{"[Cache]"}));
}

// cache.ini gone since the listing: the user is told once, and the command ends with nothing changed.
TEST_F(PermanentCommand, ACacheIniThatCantBeReadIsToldAndEndsEitherCommand)
{
    for (bool permanent : {true, false}) {
        SCOPED_TRACE(permanent ? "Permanent" : "Delete");
        Lay({{"K1", "One.utx", kTex}, {"K2", "Two.utx", kTex}});
        std::filesystem::remove(folders.cacheFolder + "cache.ini");
        const auto before = Snapshot(Path(""));
        ScriptedPrompt prompt({true, true});
        EXPECT_TRUE(permanent ? Permanent({true, true}, prompt) : Delete({true, true}, prompt));
        EXPECT_EQ(prompt.questions.size(), 1u);
        EXPECT_EQ(prompt.told, std::vector<std::string>{"Error reading file " + folders.cacheFolder + "cache.ini"});
        EXPECT_EQ(Snapshot(Path("")), before);
    }
}

// A ticked package planned to go with an earlier one, which stayed when the user kept the file at
// its destination: it is not asked about again.
TEST_F(PermanentCommand, ATickedPackageKeptAtAnEarlierReplaceQuestionIsNotAskedAgain)
{
    Lay({{"K1", "Arena.unr", kMap, {"Walls.utx"}}, {"K2", "Walls.utx", kTex}});
    temp.Write("game/Textures/Walls.utx", "the player's own");

    ScriptedPrompt prompt({true, false});
    EXPECT_TRUE(Permanent({true, true}, prompt));
    EXPECT_EQ(prompt.Titles(), (std::vector<std::string>{"Confirm Move File", "Confirm Replace File"}));
    EXPECT_TRUE(Moved("Maps/Arena.unr", kMap, "K1"));
    EXPECT_EQ(IndexLines(), (std::vector<std::string>{"[Cache]", "K2=Walls.utx"}));
}

}  // namespace
}  // namespace thld::test
