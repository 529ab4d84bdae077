// What a user's names select, by the rules every front-end shares: packages by name or key, and
// Tidy's cached files without a line by key or file name.
#include <gtest/gtest.h>

#include "commands/package_selection.h"
#include "commands/tidy_plan.h"

namespace thld::test {
namespace {

std::vector<PackageItem> Items()
{
    std::vector<PackageItem> items(4);
    const char* lines[][2] = {{"K1", "One.unr"}, {"K2", "one.u"}, {"K3", "Two.utx"}, {"K4", "Two.utx"}};
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i].key = lines[i][0];
        items[i].name = lines[i][1];
    }
    return items;
}

TEST(PackageSelection, NamesSelectItemsOrSayWhyNot)
{
    struct Case {
        std::vector<std::string> names;
        Versions versions;
        std::vector<std::size_t> selected;
        std::vector<std::string> told;
    };
    const std::vector<Case> cases = {
        {{"One.unr", "ONE.U"}, Versions::All, {0, 1}, {}},
        {{"k2", "One.unr", "K2"}, Versions::All, {1, 0}, {}},
        {{"Two", "Two.utx"}, Versions::All, {2, 3}, {}},
        {{"K4"}, Versions::One, {3}, {}},
        {{"Nope", "ONE"},
         Versions::All,
         {},
         {"no package named \"Nope\" is in the cache",
          "\"ONE\" names more than one package: \"One.unr\" \"one.u\"; give the name as the list shows it"}},
        {{"two"},
         Versions::One,
         {},
         {"\"Two.utx\" is cached in 2 versions; name the one to make permanent by its key: K3, K4"}},
    };
    const std::vector<PackageItem> items = Items();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.names.front());
        const NamedItems named = ItemsNamed(items, c.names, c.versions);
        EXPECT_EQ(named.items, c.selected);
        std::vector<std::string> told;
        for (const NameProblem& problem : named.problems)
            told.push_back(NameProblemText(problem, items));
        EXPECT_EQ(told, c.told);
    }
}

TEST(TidySelection, ChoosesStaleLinesAndTheOrphansAsked)
{
    std::vector<CacheProblem> problems(4);
    problems[0].kind = CacheProblem::Kind::Stale;
    problems[1].kind = CacheProblem::Kind::Orphan;
    problems[1].key = "AAAA";
    problems[2].kind = CacheProblem::Kind::Orphan;
    problems[2].key = "BBBB";
    problems[3].kind = CacheProblem::Kind::Duplicate;
    struct Case {
        TidySelection selection;
        std::vector<bool> chosen;
        std::string told;  // empty where every name names an orphan
    };
    const std::vector<Case> cases = {
        {TidySelection{}, {true, false, false, false}, ""},
        {{.orphans = true, .names = {}}, {false, true, true, false}, ""},
        {{.stale = true, .orphans = true, .names = {}}, {true, true, true, false}, ""},
        {{.names = {"bbbb.UXX"}}, {false, false, true, false}, ""},
        {{.stale = true, .names = {"AAAA", "CCCC", "x.uxx"}},
         {true, true, false, false},
         "no cached file without a line is named CCCC, x.uxx; nothing was changed"},
    };
    for (const Case& c : cases) {
        const TidyChoice choice = ChooseForTidy(problems, c.selection);
        EXPECT_EQ(choice.chosen, c.chosen);
        EXPECT_EQ(choice.unknown.empty() ? std::string() : NoSuchOrphan(choice.unknown), c.told);
    }
}

}  // namespace
}  // namespace thld::test
