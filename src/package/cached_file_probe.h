#pragma once
// The kind and the length of a cached file from one unshared open, for the listing.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "package/package_kind.h"
#include "package/region_scan.h"

namespace thld {

struct CachedFileProbe {
    PackageKind kind;                     // what GetPackageKind gives for the key
    std::optional<std::uint64_t> length;  // the file's length when it was opened
};

// Like GetPackageKind (an empty key gives "Unknown" and opens nothing; a file that can't be opened
// gives "File Not Available"), and, from the same handle, the file's length. When the file is a
// "Map" or "Script" package, its region is searched through the same open for `scanner`'s patterns:
// `found` receives their numbers (RegionScanner::Scan); it is nothing for a file of any other kind.
// A read that fails after the open raises FileError.
CachedFileProbe ProbeCachedFile(const std::string& cacheFolder, const std::string& key, RegionScanner& scanner,
                                std::optional<std::vector<std::size_t>>& found);

}  // namespace thld
