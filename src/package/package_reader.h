#pragma once
// What a package file says of itself: its header, its GUID, its name table and its import table,
// read within the file's bounds. Malformed input is refused with an outcome and a reason, never
// read past its end; counts are weighed against the bytes left before anything is reserved.
// This reader feeds the cache checks; the requirement search of Permanent does not use it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file.h"

namespace thld {

inline constexpr std::uint32_t kPackageTag = 0x9E2A83C1;
// From this file version on a header carries the package's GUID (before, a table of GUIDs does, the
// latest last), and from the other one on names carry their length.
inline constexpr std::uint16_t kFirstVersionWithGuid = 68;
inline constexpr std::uint16_t kFirstVersionWithNameLengths = 64;

struct PackageHeader {
    std::uint16_t fileVersion = 0;
    std::uint16_t licenseeVersion = 0;
    std::uint32_t flags = 0;
    std::uint32_t nameCount = 0, nameOffset = 0;
    std::uint32_t exportCount = 0, exportOffset = 0;
    std::uint32_t importCount = 0, importOffset = 0;
    // The GUID as the cache names a file by it: its four 32-bit numbers as 32 upper-case hex
    // digits; nothing for an older package whose GUID table is empty.
    std::optional<std::string> guid;
};

struct PackageImport {
    std::string classPackage;  // names from the name table
    std::string className;
    std::int32_t outer = 0;  // 0 for none
    std::string objectName;
};

struct PackageContents {
    PackageHeader header;
    std::vector<std::string> names;  // without their NUL
    std::vector<PackageImport> imports;
};

// The packages a package imports: its imports with no outer whose class is "Package" (in any case
// of letters), each name once, in table order.
std::vector<std::string> ImportedPackages(const PackageContents& contents);

struct PackageReading {
    enum class Outcome {
        Read,
        NotAPackage,  // no package tag at the start
        Truncated,    // the header, or a table, runs past the end of the file
        BadTable,     // a count or an offset that the file can't hold
        BadName,      // a name of no length or too long, or an unreadable length
        BadImport,    // an import naming an entry outside the name table, or an unreadable index
    };
    Outcome outcome = Outcome::Read;
    std::string reason;  // for a refusal: what was wrong, and where
    PackageContents contents;
};

// Reads a package's header, name table and import table.
PackageReading ReadPackage(std::string_view bytes);
// The same from an open file, as long as it was when opened; a failed read raises FileError.
PackageReading ReadPackage(const InputFile& file);

// The text of an outcome, for people: "not a package", "cut short", ...
std::string_view PackageOutcomeText(PackageReading::Outcome outcome);

}  // namespace thld
