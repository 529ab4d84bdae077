#pragma once
// A package's export table, read on demand beside its header and names (ReadPackage): what each
// object the package holds is, where it lies and how long it is. Read as untrusted input: the table
// is weighed against the file before anything is reserved, every name index against the name
// table, and every object's bytes must lie within the file. A malformed table is refused with an
// outcome and a reason, never read past its end.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "package/package_reader.h"
#include "platform/file.h"

namespace thld {

// A reference to an object as packages write them: 0 for none, -n for import n-1, n for export n-1.
using ObjectReference = std::int32_t;

struct PackageExport {
    ObjectReference objectClass = 0;  // 0: the object is a class
    ObjectReference super = 0;
    std::int32_t outer = 0;  // the export of its outer plus one; 0 for none
    std::string objectName;
    std::uint32_t flags = 0;
    std::uint64_t serialOffset = 0;  // where its bytes lie: within the file
    std::uint64_t serialSize = 0;
};

// An object's flag: its bytes start with the frame of its state code.
inline constexpr std::uint32_t kObjectHasStack = 0x02000000;

struct ExportReading {
    enum class Outcome {
        Read,
        Truncated,  // the table runs past the end of the file
        BadTable,   // a count or an offset the file can't hold
        BadExport,  // an export naming nothing in the name table, or whose bytes lie outside the file
    };
    Outcome outcome = Outcome::Read;
    std::string reason;  // for a refusal: what was wrong, and where
    std::vector<PackageExport> exports;
};

// The export table of a package whose header and names `contents` holds (as ReadPackage read them
// from the same bytes).
ExportReading ReadExports(std::string_view bytes, const PackageContents& contents);
// The same from an open file, as long as it was when opened; a failed read raises FileError.
ExportReading ReadExports(const InputFile& file, const PackageContents& contents);

// The name of the object a reference names: an import's or an export's object name; nothing for
// 0 or a reference outside both tables.
std::optional<std::string_view> ReferencedName(const PackageContents& contents,
                                               const std::vector<PackageExport>& exports, ObjectReference reference);

// The name of an export's class ("Class" for a class itself); nothing when its reference names
// nothing.
std::optional<std::string_view> ClassNameOf(const PackageContents& contents, const std::vector<PackageExport>& exports,
                                            const PackageExport& object);

}  // namespace thld
