// tallyhold's text within the terminal's width: help, a usage error, list and check at 40, 80 and
// 120 columns, broken at word boundaries; and list --names, one name a line.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/test_game.h"

namespace thld::test {
namespace {

#ifndef _WIN32  // COLUMNS is set for the run on POSIX systems only

// The lines of `text` longer than `width` columns (a character of UTF-8 is one) that hold more than
// one word.
std::vector<std::string> LinesOver(const std::string& text, std::size_t width)
{
    std::vector<std::string> over;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end;
        const std::string line = text.substr(start, end - start);
        std::size_t columns = 0;
        for (char c : line)
            columns += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        // A key or a path that can't be broken may pass the end, alone on its line.
        const bool oneWord = line.find(' ', line.find_first_not_of(' ')) == std::string::npos;
        if (columns > width && !oneWord)
            over.push_back(line);
        start = end + 1;
    }
    return over;
}

TEST(CliWidth, TextWrapsAtWordBoundariesToTheWidth)
{
    struct Case {
        const char* what;
        std::vector<std::string> arguments;
        std::size_t width;
        bool onTerminal;
        bool onError;        // the text is on standard error
        std::string shown;   // a stretch of the text, as the user reads it
        bool whole = false;  // the stretch is the whole text
    };
    const std::vector<Case> cases = {
        {"help at 40",
         {"--help"},
         40,
         false,
         false,
         "Options:\n  -V, --version\n      Show the version and end\n  -h, --help\n      Show this help and end\n"
         "  --game DIR\n      The game folder (where Maps,\n      System and Textures are)\n"},
        {"help at 80",
         {"--help"},
         80,
         false,
         false,
         "  --cache DIR    The cache folder (where cache.ini is); the game folder's by\n"
         "                 default\n"},
        {"help at 120",
         {"--help"},
         120,
         false,
         false,
         "  check     Find the cache's problems (other versions installed, stale lines, files without a line, "
         "several versions,\n            maps that won't load offline)\n"},
        {"a command's help at 40",
         {"delete", "--help"},
         40,
         false,
         false,
         "Usage: tallyhold delete [OPTIONS]\n  [NAME...]\n\nArguments:\n  [NAME...]  The packages, as the list\n"
         "             shows them or without\n             extension\n"},
        {"a usage error at 40",
         {"lst"},
         40,
         false,
         true,
         "tallyhold: unknown command \"lst\" (did\n  you mean list?)\nUsage: tallyhold [OPTIONS] COMMAND;\n"
         "  see 'tallyhold --help'\n",
         true},
        {"a usage error at 80",
         {"delete", "--older-than", "0x100"},
         80,
         false,
         true,
         "tallyhold: --older-than takes a number of days, from 0 to 100000, in digits:\n  \"0x100\" is none\n"
         "Usage: tallyhold delete [OPTIONS] [NAME...]; see 'tallyhold delete --help'\n",
         true},
        {"a usage error at 120",
         {"list", "--colour"},
         120,
         false,
         true,
         "tallyhold: unknown option \"--colour\" (did you mean --color?)\n"
         "Usage: tallyhold list [OPTIONS]; see 'tallyhold list --help'\n",
         true},
        {"list at 40",
         {"list"},
         40,
         true,
         false,
         "Package\n    Kind             Size  Age\nDM-A Name Longer Than Forty Columns Of \xE2\x80\xA6\n"
         "    Map             632 B   0d\n    requires Tex.utx\nTex.utx\n    Textures/Skins  625 B   0d\n"
         "Total Cache: 1k bytes (1.2 KiB in 2\npackages)\n",
         true},
        {"list at 80",
         {"list"},
         80,
         true,
         false,
         "Package                                              Kind             Size  Age\n"
         "DM-A Name Longer Than Forty Columns Of Terminal.unr  Map             632 B   0d\n"
         "    requires Tex.utx\n"
         "Tex.utx                                              Textures/Skins  625 B   0d\n"
         "Total Cache: 1k bytes (1.2 KiB in 2 packages)\n",
         true},
        {"list at 120", {"list"}, 120, true, false, "Total Cache: 1k bytes (1.2 KiB in 2 packages)\n"},
        {"check at 40",
         {"check"},
         40,
         true,
         false,
         "stale: Lines of cache.ini whose file\n  is gone\n  Gone.u: its file D00D.uxx is gone\n"
         "      fix: tallyhold tidy --stale\n"
         "The game can't use them; the lines can\nbe removed.\n\n"
         "unreadable: Cached files whose tables\n  can't be read\n  DM-A Name Longer Than Forty\n"
         "      Columns Of Terminal.unr\n      (A1B2C3D4E5F60718293A4B5C6D7E8F90.uxx,\n      632 B): no package\n"
         "  Tex.utx (C0FFEE.uxx, 625 B): no\n      package\n"
         "They are damaged, or no packages at all:\nthe game can't load them, and their\n"
         "version can't be told. A server sends a\ngood copy again once they are deleted.\n\n3 problems.\n",
         true},
        {"check at 80",
         {"check"},
         80,
         true,
         false,
         "unreadable: Cached files whose tables can't be read\n"
         "  DM-A Name Longer Than Forty Columns Of Terminal.unr\n"
         "      (A1B2C3D4E5F60718293A4B5C6D7E8F90.uxx, 632 B): no package\n"
         "  Tex.utx (C0FFEE.uxx, 625 B): no package\n"
         "They are damaged, or no packages at all: the game can't load them, and their\n"
         "version can't be told. A server sends a good copy again once they are deleted.\n"},
        {"check at 120",
         {"check"},
         120,
         true,
         false,
         "  DM-A Name Longer Than Forty Columns Of Terminal.unr (A1B2C3D4E5F60718293A4B5C6D7E8F90.uxx, 632 B): no "
         "package\n"
         "  Tex.utx (C0FFEE.uxx, 625 B): no package\n"
         "They are damaged, or no packages at all: the game can't load them, and their version can't be told. A "
         "server sends a\ngood copy again once they are deleted.\n"},
    };
    TestGame game;
    game.LayMadeUp({{"A1B2C3D4E5F60718293A4B5C6D7E8F90",
                     "DM-A Name Longer Than Forty Columns Of Terminal.unr",
                     kind::Map,
                     {"Tex"}},
                    {"C0FFEE", "Tex.utx", kind::Textures},
                    {"D00D", "Gone.u", kind::Script}});
    std::filesystem::remove(game.CachedPath("D00D"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> arguments = c.arguments;
        arguments.insert(arguments.end(), {"--game", game.folders.gameFolder});
        ProgramCall call{arguments, "", {{"COLUMNS", std::to_string(c.width)}, {"NO_COLOR", "1"}}};
        call.onTerminal = c.onTerminal;
        ProgramResult result = RunTallyhold(call);
        const std::string& text = c.onError ? result.err : result.out;
        // A terminal ends its lines in CR LF.
        std::string shown;
        for (char ch : text)
            if (ch != '\r')
                shown += ch;
        EXPECT_EQ(LinesOver(shown, c.width), std::vector<std::string>{}) << shown;
        if (c.whole)
            EXPECT_EQ(shown, c.shown);
        else
            EXPECT_PRED2(Holds, shown, c.shown);
    }
}

#endif

TEST(CliWidth, ListNamesGivesOneNameALine)
{
    TestGame game;
    game.LayMadeUp({{"K1", "DM-Two Words.unr", kind::Map}, {"K2", "Tex.utx", kind::Textures}});
    std::filesystem::remove(game.CachedPath("K2"));  // named too: cache.ini alone is read
    const ProgramResult result = game.Run({"list", "--names"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "DM-Two Words.unr\nTex.utx\n");
}

}  // namespace
}  // namespace thld::test
