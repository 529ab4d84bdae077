// tallyhold delete: the window's Delete, answered on the terminal (y, n, a for all, q to quit), and by
// age.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "cache/index_lookup.h"
#include "cli/test_game.h"

namespace thld::test {
namespace {

namespace fs = std::filesystem;

const std::vector<MadeUp> kCache = {{"K1", "One.unr", kind::Map},
                                    {"K2", "Two.utx", kind::Textures},
                                    {"K3", "Three.u", kind::Script},
                                    {"K4", "Four.unr", kind::Map}};

// The keys whose line and file are both still in the cache.
std::string Cached(const TestGame& game)
{
    std::string keys;
    for (const std::string& line : ReadIndexEntries(game.folders.cacheFolder).lines) {
        const std::string key = line.substr(0, line.find('='));
        if (fs::exists(game.Path("cache/" + key + ".uxx")))
            keys += key + " ";
    }
    return keys;
}

TEST(CliDelete, DeletesThePackagesNamedOrOld)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string input;
        int exitCode;
        std::string cached;  // afterwards
        const char* shown;   // on standard output
    };
    // K1 and K3 were written 40 days ago.
    const std::vector<Case> cases = {
        {{"delete", "--yes", "One", "two.UTX"}, "", 0, "K3 K4 ", "Deleted 2 packages"},
        {{"delete", "--older-than", "30", "--yes"}, "", 0, "K2 K4 ", "Deleted 2 packages"},
        {{"delete", "--older-than", "30", "--yes", "Three", "Four"}, "", 0, "K1 K2 K4 ", "Deleted 1 package"},
        {{"delete", "--older-than", "30", "--dry-run"}, "", 0, "K1 K2 K3 K4 ", "Three.u"},
        {{"delete", "--older-than", "50", "--yes"}, "", 0, "K1 K2 K3 K4 ", "No package is older than 50 days"},
        {{"delete", "One", "Four"}, "y\nn\n", 1, "K2 K3 K4 ", "Deleted 1 package"},
        {{"delete", "One"}, "", 1, "K1 K2 K3 K4 ", "Nothing was deleted."},
        {{"delete", "One", "Two", "Three"}, "n\nall\n", 1, "K1 K4 ", "Deleted 2 packages"},
        {{"delete", "One", "Two", "Three"}, "y\nq\ny\n", 1, "K2 K3 K4 ", "Deleted 1 package"},
    };
    for (const Case& c : cases) {
        std::string trace;
        for (const std::string& argument : c.arguments)
            trace += argument + " ";
        SCOPED_TRACE(trace + "/ input " + c.input);
        TestGame game;
        game.LayMadeUp(kCache);
        const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24 * 40);
        for (const char* key : {"K1", "K3"})
            fs::last_write_time(game.Path(std::string("cache/") + key + ".uxx"), old);
        const auto before = game.Files();
        const ProgramResult result = game.Run(c.arguments, c.input);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_EQ(Cached(game), c.cached);
        EXPECT_PRED2(Holds, result.out, c.shown);
        if (c.cached == "K1 K2 K3 K4 ") {
            EXPECT_TRUE(game.Files() == before);
        }
    }
}

}  // namespace
}  // namespace thld::test
