#pragma once
// The requirements between cached packages worked out by the slow, literal procedure, as the
// yardstick for DetermineRelationships: for every package A that can be required, every package B
// is looked up again in cache.ini and classified again, and each searched file's region is found
// by reading one byte at a time and then read whole. The pattern is built from the entry's package
// name (the value without its extension) as cache.ini's text holds it; the requirement's text is the
// value as the program's text; both are cut to 254 bytes. An entry with an empty name takes no part,
// on either side, and a package never requires one of its own name (in any case of letters). This
// is the rule for packages whose tables can't be read; the tests' packages are such. Used by the
// tests and the benchmark only.

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

#include "cache/package_item.h"

namespace thld::test {

struct LiteralOptions {
    // Each byte of the search for the run is read by a read of its own, as the procedure says;
    // otherwise the bytes come one at a time from reads of 4 KiB (the same answer, and bearable
    // under Wine on large real packages).
    bool oneByteReads = true;
    // The pass stops after this many packages A have been walked (the benchmark times a few).
    std::size_t walkLimit = std::numeric_limits<std::size_t>::max();
};

// Fills the items' requirements; gives the number of packages A walked.
std::size_t LiteralRelationships(const std::string& cacheFolder, std::vector<PackageItem>& items,
                                 const LiteralOptions& options = {});

}  // namespace thld::test
