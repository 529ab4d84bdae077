#pragma once
// The packages a user names, by the rule every command shares. A NAME is a package's name as the
// list shows it, or that name without its extension (the package name), matched without regard to
// case, or the key of its line (which names one version where a name is cached in several).

#include <string>
#include <vector>

#include "cache/package_item.h"

namespace thld {

// Whether a NAME that a package's several cached versions carry selects them all (delete, return,
// requires) or must be a key that chooses one (keep: one place takes one version).
enum class Versions {
    All,
    One,
};

// A NAME that selects nothing.
struct NameProblem {
    enum class Kind {
        NoPackage,        // no package of that name is in the cache
        SeveralPackages,  // it names more than one package (of different names)
        SeveralVersions,  // Versions::One: it names one package cached in several versions
    };
    Kind kind = Kind::NoPackage;
    std::string name;                // the NAME as given
    std::vector<std::size_t> items;  // SeveralPackages, SeveralVersions: the items it matches, in order
};

struct NamedItems {
    std::vector<std::size_t> items;     // what the NAMEs select, in the order of the NAMEs, each once
    std::vector<NameProblem> problems;  // the NAMEs that select nothing, in their order
};

// The items each NAME selects. A command goes ahead only where no NAME has a problem.
NamedItems ItemsNamed(const std::vector<PackageItem>& items, const std::vector<std::string>& names,
                      Versions versions = Versions::All);

// What the user is told of a problem: "no package named "X" is in the cache", ""x" names more than
// one package: ...", ""X.u" is cached in 2 versions; name the one to make permanent by its key: ...".
std::string NameProblemText(const NameProblem& problem, const std::vector<PackageItem>& items);

// The same as ticks over the listing (ticks[i] for items[i]).
std::vector<bool> TicksOf(const std::vector<PackageItem>& items, const std::vector<std::size_t>& selected);

}  // namespace thld
