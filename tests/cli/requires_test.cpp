// tallyhold requires: what Permanent would move with a package, in its order, with the packages it
// passes over marked.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/test_game.h"
#include "support/corpus.h"

namespace thld::test {
namespace {

// The lines below a package's heading, without their leading blanks.
std::vector<std::string> StepLines(const std::string& out)
{
    std::vector<std::string> lines;
    std::istringstream in(out);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line))
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
        {"a real script package",
         true,
         "SiegeIV_0032beta9.u",
         {"1  BuildingGraphics.utx", "2  ECM.u", "3  sgMedia.u", "4  sgMedia2.u", "5  SiegeStats.utx",
          "6  SiegeUtil_A.u", "7  XC_Orb.utx", "8  SiegeIV_0032beta9.u"}},
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

}  // namespace
}  // namespace thld::test
