#include "package/package_exports.h"

#include "package/package_cursor.h"

namespace thld {

namespace {

// As the name and import tables: far more entries than any real package holds.
constexpr std::uint32_t kMostExports = 1u << 20;
// The fewest bytes an export takes: four compact indexes, the outer, the flags, a size of 0.
constexpr std::uint64_t kSmallestExport = 1 + 1 + 4 + 1 + 4 + 1;

struct Refused {
    ExportReading::Outcome outcome;
    std::string reason;
};

std::string At(std::uint64_t offset) { return " at offset " + std::to_string(offset); }

std::int32_t Index(PackageCursor& cursor, std::uint64_t start)
{
    const std::optional<std::int32_t> index = cursor.CompactIndex();
    if (!index)
        throw Refused{ExportReading::Outcome::BadExport, "an export" + At(start) + " holds an unreadable index"};
    return *index;
}

ExportReading Read(PackageCursor& cursor, const PackageContents& contents)
{
    ExportReading reading;
    const PackageHeader& header = contents.header;
    try {
        try {
            if (header.exportCount > kMostExports)
                throw Refused{ExportReading::Outcome::BadTable,
                              "the export table claims " + std::to_string(header.exportCount) + " entries"};
            if (header.exportCount > 0 && header.exportOffset >= cursor.Size())
                throw Refused{ExportReading::Outcome::BadTable,
                              "the export table" + At(header.exportOffset) + " lies outside the file"};
            if (std::uint64_t(header.exportCount) * kSmallestExport > cursor.Size() - header.exportOffset)
                throw Refused{ExportReading::Outcome::Truncated,
                              "the export table of " + std::to_string(header.exportCount) + " entries" +
                                  At(header.exportOffset) + " runs past the end of the file"};
            cursor.Seek(header.exportOffset);
            reading.exports.reserve(header.exportCount);
            for (std::uint32_t i = 0; i < header.exportCount; ++i) {
                const std::uint64_t start = cursor.Offset();
                PackageExport object;
                object.objectClass = Index(cursor, start);
                object.super = Index(cursor, start);
                object.outer = cursor.Int32();
                const std::int32_t name = Index(cursor, start);
                if (name < 0 || static_cast<std::size_t>(name) >= contents.names.size())
                    throw Refused{ExportReading::Outcome::BadExport,
                                  "an export" + At(start) + " names no entry of the name table"};
                object.objectName = contents.names[static_cast<std::size_t>(name)];
                object.flags = cursor.Uint32();
                const std::int32_t size = Index(cursor, start);
                const std::int32_t offset = size > 0 ? Index(cursor, start) : 0;
                if (size < 0 || offset < 0 || std::uint64_t(offset) > cursor.Size() ||
                    std::uint64_t(size) > cursor.Size() - std::uint64_t(offset))
                    throw Refused{ExportReading::Outcome::BadExport,
                                  "the object " + object.objectName + At(start) + " lies outside the file"};
                object.serialSize = std::uint64_t(size);
                object.serialOffset = std::uint64_t(offset);
                reading.exports.push_back(std::move(object));
            }
        } catch (const PackageCursor::PastTheEnd&) {
            throw Refused{ExportReading::Outcome::Truncated,
                          "a value" + At(cursor.Offset()) + " runs past the end of the file"};
        }
    } catch (Refused& refused) {
        reading.outcome = refused.outcome;
        reading.reason = std::move(refused.reason);
        reading.exports.clear();
    }
    return reading;
}

}  // namespace

ExportReading ReadExports(std::string_view bytes, const PackageContents& contents)
{
    PackageCursor cursor(bytes);
    return Read(cursor, contents);
}

ExportReading ReadExports(const InputFile& file, const PackageContents& contents)
{
    PackageCursor cursor(file);
    return Read(cursor, contents);
}

std::optional<std::string_view> ReferencedName(const PackageContents& contents,
                                               const std::vector<PackageExport>& exports, ObjectReference reference)
{
    if (reference < 0 && std::uint64_t(-std::int64_t(reference)) <= contents.imports.size())
        return contents.imports[static_cast<std::size_t>(-std::int64_t(reference) - 1)].objectName;
    if (reference > 0 && std::uint64_t(reference) <= exports.size())
        return exports[static_cast<std::size_t>(reference - 1)].objectName;
    return std::nullopt;
}

std::optional<std::string_view> ClassNameOf(const PackageContents& contents, const std::vector<PackageExport>& exports,
                                            const PackageExport& object)
{
    if (object.objectClass == 0)
        return std::string_view("Class");
    return ReferencedName(contents, exports, object.objectClass);
}

}  // namespace thld
