#pragma once
// The model of the cache tree: one package item per listed entry of cache.ini, in file order.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "package/package_kind.h"
#include "package/package_summary.h"

namespace thld {

// Texts are the program's text (UTF-8 on Windows), whatever the encoding of cache.ini.
struct PackageItem {
    std::string name;        // the entry's value: the item's text
    int entryNumber = 0;     // the item's data
    std::string key;         // the cached file is cacheFolder + key + ".uxx"
    PackageKind kind;        // the first child's text
    std::string sizeText;    // the second child's text
    std::uint64_t size = 0;  // bytes
    // The texts of the requirement items under a "Requirements" child, in order; no such child
    // when empty. Filled by DetermineRelationships.
    std::vector<std::string> requirements;
    // What the file's tables say of it: its file version, GUID and the packages it imports. The
    // requirements come from its imports where its tables were read (PackageTables::Read).
    PackageSummary summary = {};
    // Set by the listing for a "Map" or "Script" file whose tables can't be read: the package names of cache.ini's
    // entries (each cut to 254 bytes, as cache.ini's text holds them: index_encoding.h) whose length-prefixed patterns
    // occur in the file's region, each once. DetermineRelationships takes them instead of opening the file again.
    std::optional<std::vector<std::string>> namesInRegion = std::nullopt;
    std::int64_t modified = 0;  // when the cached file was last written, in seconds since 1970 (UTC)
};

}  // namespace thld
