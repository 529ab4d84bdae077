// The command lines offered to be pasted: package names come from servers, and no name may make a
// pasted line run anything but tallyhold on that very name.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "commands/fix_command.h"

namespace thld {
namespace {

CacheProblem Problem(CacheProblem::Kind kind, std::string name, std::string key = "0123456789ABCDEF0123456789ABCDEF")
{
    CacheProblem problem;
    problem.kind = kind;
    problem.name = std::move(name);
    problem.key = std::move(key);
    return problem;
}

TEST(FixCommand, QuotesEachNameForTheShellOfTheSystem)
{
    using Kind = CacheProblem::Kind;
    struct Case {
        CacheProblem problem;
        Shell shell;
        std::optional<std::string> command;
    };
    const std::vector<Case> cases = {
        {Problem(Kind::Mismatch, "ECM.u"), Shell::Posix, "tallyhold return ECM.u"},
        {Problem(Kind::Mismatch, "x$(echo INJECTED).u"), Shell::Posix, "tallyhold return 'x$(echo INJECTED).u'"},
        {Problem(Kind::Mismatch, "it's `id`.u"), Shell::Posix, "tallyhold return 'it'\\''s `id`.u'"},
        {Problem(Kind::Mismatch, "-rf.u"), Shell::Posix, "tallyhold return -- -rf.u"},
        {Problem(Kind::Mismatch, "DM-Bond 007.unr"), Shell::WindowsCmd, "tallyhold return \"DM-Bond 007.unr\""},
        {Problem(Kind::Mismatch, "a&b|c.u"), Shell::WindowsCmd, "tallyhold return \"a&b|c.u\""},
        {Problem(Kind::Mismatch, "100%.u"), Shell::WindowsCmd, std::nullopt},
        {Problem(Kind::Mismatch, "say \"hi\".u"), Shell::WindowsCmd, std::nullopt},
        {Problem(Kind::Mismatch, "two\nlines.u"), Shell::Posix, std::nullopt},
        {Problem(Kind::Stale, "Gone.u"), Shell::Posix, "tallyhold tidy --stale"},
        {Problem(Kind::Orphan, ""), Shell::Posix, "tallyhold tidy 0123456789ABCDEF0123456789ABCDEF.uxx"},
        {Problem(Kind::Duplicate, "ECM.u"), Shell::Posix, std::nullopt},
        {Problem(Kind::Missing, "DM-Q2DM1.unr"), Shell::Posix, std::nullopt},
        {Problem(Kind::Unreadable, "Broken.utx"), Shell::Posix, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FixCommand(c.problem, c.shell), c.command) << c.problem.name;
}

#ifndef _WIN32
// What sh makes of a quoted word is the text itself, whatever the text holds.
TEST(FixCommand, AQuotedWordIsTakenBackWholeBySh)
{
    for (const std::string name : {"x$(echo INJECTED).u", "`touch /tmp/no`.u", "it's \"quoted\".u", "two\nlines.u",
                                   "back\\slash.u", "*.u", "; ls", ""}) {
        const std::optional<std::string> word = ShellQuoted(name, Shell::Posix);
        ASSERT_TRUE(word) << name;
        const std::string command = "printf '%s' " + *word;
        std::unique_ptr<FILE, int (*)(FILE*)> out(popen(("sh -c " + *ShellQuoted(command, Shell::Posix)).c_str(), "r"),
                                                  pclose);
        ASSERT_TRUE(out);
        std::string got;
        char buffer[256];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, out.get())) > 0;)
            got.append(buffer, n);
        EXPECT_EQ(got, name);
    }
}
#endif

}  // namespace
}  // namespace thld
