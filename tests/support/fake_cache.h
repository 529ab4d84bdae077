#pragma once
// Small hand-made caches for tests: cache.ini and package files whose first bytes make the kind
// rules give the wanted label.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "package/package_kind.h"

namespace thld::test {

// Words that make the kind rules give `label` ("Map", "Textures/Skins", "Script"; nothing else for
// any other label), to stand at the start of a package file.
std::string KindWords(PackageKind label);

// A name as packages hold it: one byte of its length + 1, then its bytes.
std::string LengthPrefixed(std::string_view name);

// The first 20 bytes of a package header: the tag, the versions, the flags, and the name table's
// count and offset.
std::string PackageHeader(std::uint32_t nameCount, std::uint32_t nameOffset);

// Writes cacheFolder + "cache.ini": "[Cache]", then the lines, each ended by CR LF, then an empty
// line.
void WriteIndex(const std::string& cacheFolder, const std::vector<std::string>& lines);

}  // namespace thld::test
