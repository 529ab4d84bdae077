#include "cli/package_names.h"

#include <algorithm>

#include "cache/index_text.h"
#include "cli/options.h"
#include "cli/terminal_text.h"
#include "platform/case_fold.h"
#include "platform/code_page.h"

namespace thld::cli {

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

std::vector<std::size_t> ItemsNamed(const std::vector<PackageItem>& items, const std::vector<std::string>& names,
                                    Versions versions)
{
    std::vector<std::size_t> selected;
    std::vector<std::string> problems;
    std::vector<std::string> shown;
    shown.reserve(items.size());
    for (const PackageItem& item : items)
        shown.push_back(Utf8Text(item.name));
    for (const std::string& name : names) {
        const std::vector<std::size_t> matching = Matching(items, shown, name);
        const bool oneName = std::all_of(matching.begin(), matching.end(),
                                         [&](std::size_t i) { return items[i].name == items[matching[0]].name; });
        if (matching.empty()) {
            problems.push_back("no package named " + Quoted(name) + " is in the cache");
        } else if (!oneName) {
            std::string problem = Quoted(name);
            problem += " names more than one package:";
            for (std::size_t i : matching) {
                problem += ' ';
                problem += Quoted(items[i].name);
            }
            problems.push_back(problem + "; give the name as the list shows it");
        } else if (matching.size() > 1 && versions == Versions::One) {
            std::string problem = Quoted(items[matching[0]].name) + " is cached in " + std::to_string(matching.size()) +
                                  " versions; name the one to make permanent by its key:";
            for (std::size_t i : matching)
                problem += (i == matching[0] ? " " : ", ") + PrintableText(items[i].key);
            problems.push_back(problem);
        } else {
            // The same name listed more than once is one package cached twice: both go.
            for (std::size_t i : matching)
                if (std::find(selected.begin(), selected.end(), i) == selected.end())
                    selected.push_back(i);
        }
    }
    if (!problems.empty()) {
        std::string message = problems[0];
        for (std::size_t i = 1; i < problems.size(); ++i)
            message += "\ntallyhold: " + problems[i];
        throw Failure(message);
    }
    return selected;
}

std::vector<bool> TicksOf(const std::vector<PackageItem>& items, const std::vector<std::size_t>& selected)
{
    std::vector<bool> ticks(items.size(), false);
    for (std::size_t i : selected)
        ticks[i] = true;
    return ticks;
}

}  // namespace thld::cli
