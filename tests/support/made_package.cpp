#include "support/made_package.h"

#include <cstdio>

#include "package/package_reader.h"
#include "support/fake_cache.h"

namespace thld::test {

std::string CompactIndexBytes(std::int32_t value)
{
    std::uint32_t magnitude = value < 0 ? 0u - std::uint32_t(value) : std::uint32_t(value);
    std::string bytes(1, static_cast<char>((value < 0 ? 0x80 : 0) | (magnitude & 0x3F)));
    magnitude >>= 6;
    if (magnitude)
        bytes[0] = static_cast<char>(bytes[0] | 0x40);
    while (magnitude) {
        const std::uint8_t next = magnitude & 0x7F;
        magnitude >>= 7;
        bytes.push_back(static_cast<char>(next | (magnitude ? 0x80 : 0)));
    }
    return bytes;
}

std::string Le32Bytes(std::uint32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>(value >> (8 * i));
    return bytes;
}

std::string MadePackageBytes(const std::vector<std::string>& names, const std::vector<MadeImport>& imports,
                             const MadeGuid& guid)
{
    std::string tables;
    for (const std::string& name : names)
        tables += CompactIndexBytes(static_cast<std::int32_t>(name.size() + 1)) + name + '\0' + Le32Bytes(0x70010);
    const auto importOffset = static_cast<std::uint32_t>(64 + tables.size());
    for (const MadeImport& i : imports)
        tables += CompactIndexBytes(i.classPackage) + CompactIndexBytes(i.className) +
                  Le32Bytes(static_cast<std::uint32_t>(i.outer)) + CompactIndexBytes(i.objectName);
    std::string bytes = Le32Bytes(kPackageTag) + std::string("\x45\x00\x00\x00", 4) + Le32Bytes(1) +
                        Le32Bytes(static_cast<std::uint32_t>(names.size())) + Le32Bytes(64) + Le32Bytes(0) +
                        Le32Bytes(0) + Le32Bytes(static_cast<std::uint32_t>(imports.size())) + Le32Bytes(importOffset);
    for (std::uint32_t part : guid)
        bytes += Le32Bytes(part);
    bytes.resize(64, '\0');
    return bytes + tables;
}

std::string PackageImporting(PackageKind label, const MadeGuid& guid, const std::vector<std::string>& packages)
{
    // Names 0 to 2 for the imports' classes; the kind's words after them.
    std::vector<std::string> names = {"Core", "Package", "None"};
    const std::string words = KindWords(label);
    for (std::size_t at = 0; at < words.size();) {
        const std::size_t end = words.find_first_of(" \n.", at);
        if (end != at)
            names.push_back(words.substr(at, end == std::string::npos ? std::string::npos : end - at));
        if (end == std::string::npos)
            break;
        at = end + 1;
    }
    std::vector<MadeImport> imports;
    for (const std::string& package : packages) {
        names.push_back(package);
        imports.push_back({0, 1, 0, static_cast<std::int32_t>(names.size() - 1)});
    }
    return MadePackageBytes(names, imports, guid);
}

std::string GuidKey(const MadeGuid& guid)
{
    char text[33];
    std::snprintf(text, sizeof text, "%08X%08X%08X%08X", guid[0], guid[1], guid[2], guid[3]);
    return text;
}

}  // namespace thld::test
