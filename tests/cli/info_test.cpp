// tallyhold info: a package's card as text and as JSON, and a map's screenshot written as PNG.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <map>

#include "cli/test_game.h"
#include "support/corpus.h"
#include "support/temp_folder.h"

namespace thld::test {
namespace {

TEST(CliInfo, ShowsEachPackagesCard)
{
    THLD_REQUIRE_CORPUS();
    struct Case {
        std::vector<std::string> only;  // the packages laid out
        std::string name;
        std::string out;
    };
    const std::vector<Case> cases = {
        {{"DM-Q2DM1.unr", "Q2DM1.utx"},
         "dm-q2dm1",
         "DM-Q2DM1.unr\n"
         "  Kind        Map\n"
         "  Size        3597k bytes (3683823 bytes)\n"
         "  Key         C1EBE12011D419C51EE252AC1A757345\n"
         "  GUID        C1EBE12011D419C51EE252AC1A757345\n"
         "  Version     69\n"
         "  Title       The Edge (Q2DM1)\n"
         "  Author      Converted by \"VT|CreepingDeath\"\n"
         "  Players     2-8\n"
         "  Screenshot  256 x 256 P8\n"
         "  Imports     141 (packages: RainFX, Engine, Mine, GenEarth, Botpack, GenFX, Coret_FX, DoorsMod, Liquids, "
         "UnrealShare, AmbOutside, Core, Q2DM1, Ambancient, Razor-ub)\n"
         "  Objects     2631\n"
         "  Requires    Q2DM1.utx\n"
         "  Offline     will not load once made permanent: RainFX, Engine, Mine, GenEarth, Botpack, GenFX, Coret_FX, "
         "DoorsMod, Liquids, UnrealShare, AmbOutside, Core, Ambancient and Razor-ub are found neither in the game's "
         "folders nor in the cache\n"},
        {{"DM-Bond 007 Goldeneye Complex.unr"},
         "DM-Bond 007 Goldeneye Complex.unr",
         "DM-Bond 007 Goldeneye Complex.unr\n"
         "  Kind        Map\n"
         "  Size        1133k bytes (1160919 bytes)\n"
         "  Key         818A4D8411D3DDFF5452848EE9EFF105\n"
         "  GUID        818A4D8411D3DDFF5452848EE9EFF105\n"
         "  Version     68\n"
         "  Title       DmComplex007\n"
         "  Author      Goldabar\n"
         "  Players     4 to 6\n"
         "  Enter text  The World is not Enough......\n"
         "  Screenshot  Screenshot in the package Untitled (not read)\n"
         "  Imports     141 (packages: Engine, UTtech1, city, Botpack, SKYBox, Mine, DecayedS, GenFX, UnrealI, "
         "UTtech2, Amboutside, RainFX, UnrealShare, shanesky, Liquids, genfluid, Run, Core, Untitled)\n"
         "  Objects     1602\n"
         "  Requires    no cached package\n"
         "  Offline     will not load once made permanent: Engine, UTtech1, city, Botpack, SKYBox, Mine, DecayedS, "
         "GenFX, UnrealI, UTtech2, Amboutside, RainFX, UnrealShare, shanesky, Liquids, genfluid, Run, Core and "
         "Untitled are found neither in the game's folders nor in the cache\n"},
        {{"Exp.u"},
         "exp",
         "Exp.u\n"
         "  Kind        Script\n"
         "  Size        78k bytes (80074 bytes)\n"
         "  Key         53626E4011D3AF3A419AA99C3157A2B6\n"
         "  GUID        53626E4011D3AF3A419AA99C3157A2B6\n"
         "  Version     68\n"
         "  Imports     35 (packages: Engine, Core, Botpack, UnrealShare)\n"
         "  Objects     22\n"
         "  Requires    no cached package\n"
         "  Offline     will not load once made permanent: Engine, Core, Botpack and UnrealShare are found neither "
         "in the game's folders nor in the cache\n"},
    };
    for (const Case& c : cases) {
        TestGame game;
        game.LayCorpus(c.only);
        const ProgramResult result = game.Run({"info", "--color", "never", c.name});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, c.out);
    }
}

TEST(CliInfo, GivesTheSameFieldsAsJson)
{
    THLD_REQUIRE_CORPUS();
    TestGame game;
    game.LayCorpus({"DM-Babylon.unr", "NBDeco.u"});
    const ProgramResult result = game.Run({"info", "--json", "DM-Babylon", "NBDeco"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const nlohmann::json packages = nlohmann::json::parse(result.out).at("packages");
    ASSERT_EQ(packages.size(), 2u);
    EXPECT_EQ(packages[0].at("title"), "Babylon");
    EXPECT_EQ(packages[0].at("author"), "Rich 'Akuma' Eastwood");
    EXPECT_EQ(packages[0].at("players"), "6-8");
    EXPECT_EQ(packages[0].at("enter_text"), "Boyakasha!");
    EXPECT_EQ(packages[0].at("file_version"), 69);
    EXPECT_EQ(packages[0].at("screenshot").at("width"), 256);
    EXPECT_EQ(packages[0].at("screenshot").at("format"), "P8");
    EXPECT_EQ(packages[0].at("offline").at("loads"), false);
    EXPECT_EQ(packages[1].at("kind"), "Script");
    EXPECT_TRUE(packages[1].at("title").is_null());
    EXPECT_TRUE(packages[1].at("screenshot").is_null());
    EXPECT_EQ(packages[1].at("offline").at("loads"), false);
}

TEST(CliInfo, WritesTheScreenshotToANewPngFileOnly)
{
    THLD_REQUIRE_CORPUS();
    struct Case {
        const char* what;
        std::string name;
        bool fileThere;
        int exitCode;
        std::string err;
    };
    const std::vector<Case> cases = {
        {"a map's screenshot", "DM-Flux", false, 0, ""},
        {"a file there already", "DM-Flux", true, 1,
         "tallyhold: %s exists already: the screenshot goes to a new file only\n"},
        {"a package without one", "Exp", false, 1, "tallyhold: Exp.u has no screenshot to write\n"},
        {"a screenshot in another package", "DM-Bond 007 Goldeneye Complex", false, 1,
         "tallyhold: DM-Bond 007 Goldeneye Complex.unr has no screenshot to write: Screenshot in the package "
         "Untitled (not read)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestGame game;
        game.LayCorpus({"DM-Flux.unr", "Exp.u", "DM-Bond 007 Goldeneye Complex.unr"});
        const std::string png = game.Path("shot.png");
        if (c.fileThere)
            WriteFileBytes(png, "mine");
        const ProgramResult result = game.Run({"info", c.name, "--screenshot", png});
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        std::string err = c.err;
        if (err.find("%s") != std::string::npos)
            err.replace(err.find("%s"), 2, png);
        EXPECT_EQ(result.err, err);
        const std::string written = c.fileThere || c.exitCode == 0 ? ReadFileBytes(png) : "";
        if (c.fileThere) {
            EXPECT_EQ(written, "mine");
        } else if (c.exitCode == 0) {
            EXPECT_EQ(written.substr(0, 8), "\x89PNG\r\n\x1A\n");
        }
    }
}

TEST(CliInfo, ListAsJsonCarriesEachMapsTitleAndAuthor)
{
    THLD_REQUIRE_CORPUS();
    TestGame game;
    game.LayCorpus({"CTF-Extortion.unr", "DM-Bond 007 Goldeneye Temple.unr", "Exp.u"});
    const ProgramResult result = game.Run({"list", "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    struct Expected {
        nlohmann::json title, author;
    };
    const std::map<std::string, Expected> expected = {
        {"CTF-Extortion.unr", {"Extortion", "David M\u00fcnnich"}},
        {"DM-Bond 007 Goldeneye Temple.unr", {"DM-Temple", "Si \"Kain\" Cass"}},
        {"Exp.u", {nullptr, nullptr}},
    };
    const nlohmann::json listed = nlohmann::json::parse(result.out);
    for (const nlohmann::json& package : listed.at("packages")) {
        const Expected& e = expected.at(package.at("name"));
        EXPECT_EQ(package.at("title"), e.title) << package.at("name");
        EXPECT_EQ(package.at("author"), e.author) << package.at("name");
    }
}

}  // namespace
}  // namespace thld::test
