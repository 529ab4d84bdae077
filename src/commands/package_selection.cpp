#include "commands/package_selection.h"

#include <algorithm>

#include "cache/index_text.h"
#include "platform/case_fold.h"
#include "platform/code_page.h"
#include "platform/printable_text.h"

namespace thld {

namespace {

enum class Match {
    None,
    IgnoringCase,
    Exactly
};

// A NAME matches the item's text or its package name, as the text stands in cache.ini or as it is
// shown (where the file's bytes are no UTF-8).
Match MatchOf(const PackageItem& item, const std::string& shown, const std::string& name)
{
    Match match = Match::None;
    for (std::string_view text : {std::string_view(item.name), std::string_view(shown)}) {
        for (std::string_view candidate : {text, PackageNameIn(text)}) {
            if (candidate == name)
                return Match::Exactly;
            if (EqualIgnoringCase(candidate, name))
                match = Match::IgnoringCase;
        }
    }
    return match;
}

// The items a NAME selects: those it matches exactly where there are such, else those it matches
// ignoring case.
std::vector<std::size_t> Matching(const std::vector<PackageItem>& items, const std::vector<std::string>& shown,
                                  const std::string& name)
{
    std::vector<std::size_t> exactly, ignoringCase;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (!items[i].key.empty() && EqualIgnoringAsciiCase(items[i].key, name))
            return {i};
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Match match = MatchOf(items[i], shown[i], name);
        if (match == Match::Exactly)
            exactly.push_back(i);
        else if (match == Match::IgnoringCase)
            ignoringCase.push_back(i);
    }
    return exactly.empty() ? ignoringCase : exactly;
}

std::string Quoted(const std::string& text)
{
    std::string quoted(1, '"');
    quoted += PrintableText(text);
    quoted += '"';
    return quoted;
}

}  // namespace

NamedItems ItemsNamed(const std::vector<PackageItem>& items, const std::vector<std::string>& names, Versions versions)
{
    NamedItems named;
    std::vector<std::string> shown;
    shown.reserve(items.size());
    for (const PackageItem& item : items)
        shown.push_back(Utf8Text(item.name));
    for (const std::string& name : names) {
        std::vector<std::size_t> matching = Matching(items, shown, name);
        const bool oneName = std::all_of(matching.begin(), matching.end(),
                                         [&](std::size_t i) { return items[i].name == items[matching[0]].name; });
        if (matching.empty()) {
            named.problems.push_back({NameProblem::Kind::NoPackage, name, {}});
        } else if (!oneName) {
            named.problems.push_back({NameProblem::Kind::SeveralPackages, name, std::move(matching)});
        } else if (matching.size() > 1 && versions == Versions::One) {
            named.problems.push_back({NameProblem::Kind::SeveralVersions, name, std::move(matching)});
        } else {
            // The same name listed more than once is one package cached twice: both go.
            for (std::size_t i : matching)
                if (std::find(named.items.begin(), named.items.end(), i) == named.items.end())
                    named.items.push_back(i);
        }
    }
    return named;
}

std::string NameProblemText(const NameProblem& problem, const std::vector<PackageItem>& items)
{
    switch (problem.kind) {
    case NameProblem::Kind::NoPackage:
        return "no package named " + Quoted(problem.name) + " is in the cache";
    case NameProblem::Kind::SeveralPackages: {
        std::string text = Quoted(problem.name) + " names more than one package:";
        for (std::size_t i : problem.items)
            text.append(" ").append(Quoted(items[i].name));
        return text + "; give the name as the list shows it";
    }
    case NameProblem::Kind::SeveralVersions: {
        std::string text = Quoted(items[problem.items.front()].name) + " is cached in " +
                           std::to_string(problem.items.size()) +
                           " versions; name the one to make permanent by its key:";
        for (std::size_t n = 0; n < problem.items.size(); ++n)
            text.append(n == 0 ? " " : ", ").append(PrintableText(items[problem.items[n]].key));
        return text;
    }
    }
    return {};
}

std::vector<bool> TicksOf(const std::vector<PackageItem>& items, const std::vector<std::size_t>& selected)
{
    std::vector<bool> ticks(items.size(), false);
    for (std::size_t i : selected)
        ticks[i] = true;
    return ticks;
}

}  // namespace thld
