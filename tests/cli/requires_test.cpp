// tallyhold requires: what Permanent would move with a package, in its order, with the packages it
// passes over marked.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/test_game.h"
#include "support/corpus.h"

namespace thld::test {
namespace {

// The lines below a package's heading up to the word on playing it offline, without their leading
// blanks.
std::vector<std::string> StepLines(const std::string& out)
{
    std::vector<std::string> lines;
    std::istringstream in(out);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line) && !line.starts_with("Offline: "))
        lines.push_back(line.substr(line.find_first_not_of(' ')));
    return lines;
}

const std::string kLongName(300, 'N');

TEST(CliRequires, ListsWhatPermanentMovesInItsOrder)
{
    struct Case {
        const char* what;
        bool corpus;
        std::string name;
        std::vector<std::string> lines;  // each line starts so, in this order
    };
    const std::vector<Case> cases = {
        {"a real map",
         true,
         "dm-bond 007 goldeneye archives",
         {"1  007Tex.utx", "2  Exp.u", "3  NBDeco.u", "4  Untitled.utx", "5  DM-Bond 007 Goldeneye Archives.unr"}},
        // Only what its import table imports: the other cached packages it names are its own objects.
        {"a real script package",
         true,
         "SiegeIV_0032beta9.u",
         {"1  sgMedia.u", "2  sgMedia2.u", "3  SiegeIV_0032beta9.u"}},
        {"a real map and its music", true, "MA-RocketArena", {"1  Gomorra.umx", "2  MA-RocketArena.unr"}},
        {"packages requiring each other",
         false,
         "DM-Cycle",
         {"-  A.u", "1  Tex.utx", "2  B.u", "3  A.u", "4  DM-Cycle.unr"}},
        {"a name too long to be found again", false, "DM-Long.unr", {"-  NNNN", "1  DM-Long.unr"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.corpus && !CorpusFolder())
            continue;
        TestGame game;
        if (c.corpus)
            game.LayCorpus();
        else
            game.LayMadeUp({{"K1", "DM-Cycle.unr", kind::Map, {"A.u"}},
                            {"K2", "A.u", kind::Script, {"B.u"}},
                            {"K3", "B.u", kind::Script, {"A.u", "Tex.utx"}},
                            {"K4", "Tex.utx", kind::Textures},
                            {"K5", kLongName + ".utx", kind::Textures},
                            {"K6", "DM-Long.unr", kind::Map, {kLongName}}});
        const ProgramResult result = game.Run({"requires", c.name});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const std::vector<std::string> lines = StepLines(result.out);
        ASSERT_EQ(lines.size(), c.lines.size()) << result.out;
        for (std::size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i].rfind(c.lines[i], 0), 0u) << lines[i];
        if (c.lines[0].starts_with("-")) {
            EXPECT_PRED2(Holds, lines[0], c.lines[0] == "-  A.u" ? "cycle" : "not in the cache");
        }
    }
}

// Both requires and keep --dry-run tell whether a map will load offline once made permanent: the
// real DM-Q2DM1.unr with every package it imports in the game's folders or the cache, and without one.
TEST(CliRequires, SaysWhetherAMapWillLoadOffline)
{
    THLD_REQUIRE_CORPUS();
    const std::vector<std::string> installed = {"RainFX.utx",     "Engine.u",      "Mine.utx",       "GenEarth.utx",
                                                "Botpack.u",      "GenFX.utx",     "Coret_FX.utx",   "DoorsMod.uax",
                                                "Liquids.utx",    "UnrealShare.u", "AmbOutside.uax", "Core.u",
                                                "AmbAncient.uax", "Razor-ub.umx"};
    struct Case {
        std::vector<std::string> arguments;
        bool withRazor;
        std::string line;
    };
    const std::string loads = "Offline: DM-Q2DM1.unr will load once made permanent.\n";
    const std::string fails =
        "Offline: DM-Q2DM1.unr will not load once made permanent: Razor-ub is found neither "
        "in the game's folders nor in the cache.\n";
    const std::vector<Case> cases = {
        {{"requires", "DM-Q2DM1"}, true, loads},
        {{"requires", "DM-Q2DM1"}, false, fails},
        {{"keep", "--dry-run", "DM-Q2DM1"}, true, loads},
        {{"keep", "--dry-run", "DM-Q2DM1"}, false, fails},
        // A package that takes no cached package along is answered all the same.
        {{"requires", "Q2DM1"}, true, "Offline: Q2DM1.utx will load once made permanent.\n"},
    };
    for (const Case& c : cases) {
        TestGame game;
        game.LayCorpus({"DM-Q2DM1.unr", "Q2DM1.utx"});
        for (const std::string& file : installed) {
            if (file == "Razor-ub.umx" && !c.withRazor)
                continue;
            const std::string folder = file.ends_with(".u")     ? "System"
                                       : file.ends_with(".utx") ? "Textures"
                                       : file.ends_with(".uax") ? "Sounds"
                                                                : "Music";
            std::filesystem::create_directories(FsPath(game.Path(folder)));
            WriteFileBytes(game.Path(folder + "/" + file), "x");
        }
        const ProgramResult result = game.Run(c.arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_PRED2(Holds, result.out, c.line) << c.arguments[0];
    }
}

}  // namespace
}  // namespace thld::test
