#pragma once
// Package files made for tests in the real format: a header of file version 69 with a GUID, a name
// table at offset 64 and an import table after it, and nothing more.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "package/package_kind.h"

namespace thld::test {

using MadeGuid = std::array<std::uint32_t, 4>;

struct MadeImport {
    std::int32_t classPackage, className, outer, objectName;  // indexes into the names; outer 0 for none
};

// A compact index as packages write it, and a 32-bit little-endian number.
std::string CompactIndexBytes(std::int32_t value);
std::string Le32Bytes(std::uint32_t value);

std::string MadePackageBytes(const std::vector<std::string>& names, const std::vector<MadeImport>& imports,
                             const MadeGuid& guid);

// A package whose names make the kind rules give `label` (Map, Textures/Skins or Script) and which
// imports each of `packages` as a package.
std::string PackageImporting(PackageKind label, const MadeGuid& guid, const std::vector<std::string>& packages);

// The GUID as the cache names files by it: 32 upper-case hex digits.
std::string GuidKey(const MadeGuid& guid);

}  // namespace thld::test
