// tallyhold among other command-line programs: help on a command, colour as asked, sizes in bytes,
// names taken as typed and matched in any case of any script, and output that could not be written
// reported as a failure.
#include <gtest/gtest.h>

#include "cli/test_game.h"

namespace thld::test {
namespace {

TEST(CliConventions, AnswerAsTheirOptionsAndTheEnvironmentAsk)
{
    struct Case {
        const char* what;
        std::vector<std::string> arguments;
        std::vector<std::pair<std::string, std::optional<std::string>>> environment;
        int exitCode;
        std::string shown;          // on standard output
        std::string notShown = {};  // not there
    };
    std::vector<Case> cases = {
        {"help on a command", {"help", "delete"}, {}, 0, "Usage: tallyhold delete"},
        {"the version, short", {"-V"}, {}, 0, "tallyhold "},
        {"no colour in a pipe", {"list"}, {}, 0, "One.unr", "\x1b["},
        {"colour when asked", {"list", "--color=always"}, {}, 0, "\x1b[1mPackage"},
        {"colour asked before the command", {"--color", "always", "list"}, {}, 0, "\x1b["},
        {"no colour when refused", {"list", "--color=never"}, {{"TERM", "xterm"}}, 0, "One.unr", "\x1b["},
        {"one size, for people", {"list"}, {}, 0, "Map             628 B   0d\n", "k bytes  "},
        {"sizes in bytes", {"list", "--bytes"}, {}, 0, "Map              628   0d\n", " B "},
        {"a name with brackets, whole", {"requires", "[x]"}, {}, 0, "[x].u (Script)"},
        {"a name after --", {"requires", "--", "-dash"}, {}, 0, "-dash.utx (Textures/Skins)"},
        {"ten days are ten", {"delete", "--older-than", "010", "--dry-run"}, {}, 0, "older than 10 days"},
        {"any count of zeros before a number",
         {"delete", "--older-than", "00000000000000000000001", "--dry-run"},
         {},
         0,
         "No package is older than 1 day: nothing to delete."},
    };
#ifndef _WIN32  // cache.ini holds UTF-8 here; on Windows it is in the system's code page
    cases.push_back({"a name in another case of Cyrillic", {"requires", "dm-флюкс"}, {}, 0, "DM-Флюкс.unr (Map)"});
    cases.push_back({"a name in another case of Latin", {"requires", "ÉCLAIR.U"}, {}, 0, "éclair.u (Script)"});
#endif
    TestGame game;
    game.LayMadeUp({{"K1", "One.unr", kind::Map},
                    {"K2", "[x].u", kind::Script},
                    {"K3", "x.u", kind::Script},
                    {"K4", "DM-Флюкс.unr", kind::Map},
                    {"K5", "éclair.u", kind::Script},
                    {"K6", "-dash.utx", kind::Textures}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> arguments = c.arguments;
        arguments.insert(arguments.begin(), {"--game", game.folders.gameFolder});
        const ProgramResult result = RunTallyhold({arguments, "", c.environment});
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_PRED2(Holds, result.out, c.shown);
        if (!c.notShown.empty()) {
            EXPECT_FALSE(Holds(result.out, c.notShown)) << result.out;
        }
    }
}

#ifndef _WIN32
TEST(CliConventions, FitTheTerminalAndNeverCutAPipe)
{
    const std::string name = "DM-A Name Longer Than Any Terminal Of Forty Columns.unr";
    struct Case {
        const char* what;
        bool onTerminal;
        std::vector<std::pair<std::string, std::optional<std::string>>> environment;
        std::string shown;
        std::string notShown;
    };
    const std::vector<Case> cases = {
        {"a pipe is never cut", false, {{"COLUMNS", "40"}}, name + "  Map", "\xE2\x80\xA6"},
        {"COLUMNS on a terminal",
         true,
         {{"COLUMNS", "40"}, {"NO_COLOR", {}}},
         "DM-A Name Longer Than\xE2\x80\xA6  ",
         name},
        {"colour on a terminal", true, {{"TERM", "xterm"}, {"NO_COLOR", {}}}, "\x1b[1mPackage", ""},
        {"no colour on a dumb terminal", true, {{"TERM", "dumb"}, {"NO_COLOR", {}}}, "Package", "\x1b["},
        {"no colour with NO_COLOR", true, {{"TERM", "xterm"}, {"NO_COLOR", "1"}}, "Package", "\x1b["},
    };
    TestGame game;
    game.LayMadeUp({{"K1", name, kind::Map}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramCall call{{"list", "--game", game.folders.gameFolder}, "", c.environment};
        call.onTerminal = c.onTerminal;
        const ProgramResult result = RunTallyhold(call);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_PRED2(Holds, result.out, c.shown);
        if (!c.notShown.empty()) {
            EXPECT_FALSE(Holds(result.out, c.notShown)) << result.out;
        }
    }
}

TEST(CliConventions, OutputThatCantBeWrittenFailsTheCommand)
{
    TestGame game;
    game.LayMadeUp({{"K1", "One.unr", kind::Map}});
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"list"}, {"list", "--json"}, {"requires", "One"}, {"where"}}) {
        SCOPED_TRACE(arguments[0]);
        std::vector<std::string> full = arguments;
        full.insert(full.end(), {"--game", game.folders.gameFolder});
        ProgramCall call{full};
        call.output = "/dev/full";
        const ProgramResult result = RunTallyhold(call);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_PRED2(Holds, result.err, "tallyhold: standard output could not be written: the disk is full");
    }
}
#endif

}  // namespace
}  // namespace thld::test
