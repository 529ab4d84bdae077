#pragma once
// The packages a command line names. A NAME is a package's name as the list shows it, or that name
// without its extension (the package name), matched without regard to case.

#include <string>
#include <vector>

#include "cache/package_item.h"

namespace thld::cli {

// The items each NAME selects, in the order of the NAMEs, each once. Throws Failure, naming every
// NAME that selects no item or more than one, before anything is done.
std::vector<std::size_t> ItemsNamed(const std::vector<PackageItem>& items, const std::vector<std::string>& names);

// The same as ticks over the listing (ticks[i] for items[i]).
std::vector<bool> TicksOf(const std::vector<PackageItem>& items, const std::vector<std::size_t>& selected);

}  // namespace thld::cli
