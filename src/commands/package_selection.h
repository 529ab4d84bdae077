#pragma once
// The packages a command line names. A NAME is a package's name as the list shows it, or that name
// without its extension (the package name), matched without regard to case, or the key of its line
// (which names one version where a name is cached in several).

#include <string>
#include <vector>

#include "cache/package_item.h"

namespace thld::cli {

// Whether a NAME that a package's several cached versions carry selects them all (delete, return,
// requires) or must be a key that chooses one (keep: one place takes one version).
enum class Versions {
    All,
    One,
};

// The items each NAME selects, in the order of the NAMEs, each once. Throws Failure, naming every
// NAME that selects no item or more than one package (or, with Versions::One, more than one
// version), before anything is done.
std::vector<std::size_t> ItemsNamed(const std::vector<PackageItem>& items, const std::vector<std::string>& names,
                                    Versions versions = Versions::All);

// The same as ticks over the listing (ticks[i] for items[i]).
std::vector<bool> TicksOf(const std::vector<PackageItem>& items, const std::vector<std::size_t>& selected);

}  // namespace thld::cli
