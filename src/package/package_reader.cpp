#include "package/package_reader.h"

#include <cstdio>

#include "package/package_cursor.h"
#include "platform/code_page.h"

namespace thld {

namespace {

// Names in packages are short (the game keeps 64 characters); more is taken for malformed input.
constexpr std::int32_t kLongestName = 256;
// Far more entries than any table of a real package holds: what a table may ask memory for.
constexpr std::uint32_t kMostEntries = 1u << 20;
// The fewest bytes a name and an import take: the table's count can't ask for more than the bytes left.
constexpr std::uint64_t kSmallestOldName = 1 + 4;   // NUL, flags
constexpr std::uint64_t kSmallestName = 1 + 1 + 4;  // length, NUL, flags
constexpr std::uint64_t kSmallestImport = 1 + 1 + 4 + 1;

struct Refused {
    PackageReading::Outcome outcome;
    std::string reason;
};

std::string GuidText(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d)
{
    char text[33];
    std::snprintf(text, sizeof text, "%08X%08X%08X%08X", a, b, c, d);
    return text;
}

std::string At(std::uint64_t offset) { return " at offset " + std::to_string(offset); }

// A table of `count` records of at least `smallest` bytes at `offset`: refused unless the file can hold it.
void CheckTable(const PackageCursor& cursor, const char* what, std::uint32_t count, std::uint32_t offset,
                std::uint64_t smallest)
{
    if (count == 0)
        return;
    if (count > 0x7FFFFFFF)
        throw Refused{PackageReading::Outcome::BadTable, std::string("the ") + what + " table's count is negative"};
    if (count > kMostEntries)
        throw Refused{PackageReading::Outcome::BadTable,
                      std::string("the ") + what + " table claims " + std::to_string(count) + " entries"};
    if (offset < cursor.Offset() || offset >= cursor.Size())
        throw Refused{PackageReading::Outcome::BadTable,
                      std::string("the ") + what + " table" + At(offset) + " lies outside the file"};
    if (std::uint64_t(count) * smallest > cursor.Size() - offset)
        throw Refused{PackageReading::Outcome::Truncated, std::string("the ") + what + " table of " +
                                                              std::to_string(count) + " entries" + At(offset) +
                                                              " runs past the end of the file"};
}

PackageHeader ReadHeader(PackageCursor& cursor)
{
    PackageHeader header;
    if (cursor.Size() < 4 || cursor.Uint32() != kPackageTag)
        throw Refused{PackageReading::Outcome::NotAPackage, "the file does not start with the package tag"};
    header.fileVersion = cursor.Uint16();
    header.licenseeVersion = cursor.Uint16();
    header.flags = cursor.Uint32();
    header.nameCount = cursor.Uint32();
    header.nameOffset = cursor.Uint32();
    header.exportCount = cursor.Uint32();
    header.exportOffset = cursor.Uint32();
    header.importCount = cursor.Uint32();
    header.importOffset = cursor.Uint32();
    if (header.fileVersion < kFirstVersionWithGuid) {
        // Older packages keep their GUIDs in a table of their own, the latest last.
        const std::uint32_t heritageCount = cursor.Uint32(), heritageOffset = cursor.Uint32();
        if (heritageCount == 0)
            return header;
        const std::uint64_t headerEnd = cursor.Offset();
        if (heritageCount > 0x7FFFFFFF || heritageOffset < headerEnd || heritageOffset > cursor.Size() ||
            (std::uint64_t(heritageCount) * 16 > cursor.Size() - heritageOffset))
            throw Refused{PackageReading::Outcome::BadTable,
                          "the GUID table" + At(heritageOffset) + " lies outside the file"};
        cursor.Seek(heritageOffset + std::uint64_t(heritageCount - 1) * 16);
    }
    const std::uint32_t a = cursor.Uint32(), b = cursor.Uint32(), c = cursor.Uint32(), d = cursor.Uint32();
    header.guid = GuidText(a, b, c, d);
    return header;
}

std::string ReadName(PackageCursor& cursor, bool withLength)
{
    const std::uint64_t start = cursor.Offset();
    std::string name;
    if (withLength) {
        std::optional<std::int32_t> length = cursor.CompactIndex();
        if (!length || *length <= 0 || *length > kLongestName)
            throw Refused{PackageReading::Outcome::BadName, "a name" + At(start) + " has no usable length"};
        name.reserve(static_cast<std::size_t>(*length));
        for (std::int32_t i = 0; i < *length; ++i)
            name.push_back(static_cast<char>(cursor.Byte()));
        name.resize(name.find('\0') == std::string::npos ? name.size() : name.find('\0'));
    } else {
        for (char c; (c = static_cast<char>(cursor.Byte())) != '\0';) {
            if (name.size() == kLongestName)
                throw Refused{PackageReading::Outcome::BadName, "a name" + At(start) + " is too long"};
            name.push_back(c);
        }
    }
    cursor.Uint32();  // its object flags
    return name;
}

const std::string& NameAt(const std::vector<std::string>& names, std::optional<std::int32_t> index, std::uint64_t start)
{
    if (!index || *index < 0 || static_cast<std::size_t>(*index) >= names.size())
        throw Refused{PackageReading::Outcome::BadImport,
                      "an import" + At(start) + " names no entry of the name table"};
    return names[static_cast<std::size_t>(*index)];
}

PackageReading Read(PackageCursor& cursor)
{
    PackageReading reading;
    try {
        try {
            PackageContents& contents = reading.contents;
            contents.header = ReadHeader(cursor);
            const PackageHeader& header = contents.header;
            // The tables lie after the header's fixed part.
            cursor.Seek(header.fileVersion < kFirstVersionWithGuid ? 44 : 52);
            const bool withLengths = header.fileVersion >= kFirstVersionWithNameLengths;
            CheckTable(cursor, "name", header.nameCount, header.nameOffset,
                       withLengths ? kSmallestName : kSmallestOldName);
            CheckTable(cursor, "import", header.importCount, header.importOffset, kSmallestImport);
            if (header.exportCount > 0)
                CheckTable(cursor, "export", header.exportCount, header.exportOffset, 1);

            cursor.Seek(header.nameOffset);
            contents.names.reserve(header.nameCount);
            for (std::uint32_t i = 0; i < header.nameCount; ++i)
                contents.names.push_back(ReadName(cursor, withLengths));

            cursor.Seek(header.importOffset);
            contents.imports.reserve(header.importCount);
            for (std::uint32_t i = 0; i < header.importCount; ++i) {
                const std::uint64_t start = cursor.Offset();
                PackageImport import;
                import.classPackage = NameAt(contents.names, cursor.CompactIndex(), start);
                import.className = NameAt(contents.names, cursor.CompactIndex(), start);
                import.outer = cursor.Int32();
                import.objectName = NameAt(contents.names, cursor.CompactIndex(), start);
                contents.imports.push_back(std::move(import));
            }
        } catch (const PackageCursor::PastTheEnd&) {
            throw Refused{PackageReading::Outcome::Truncated,
                          "a value" + At(cursor.Offset()) + " runs past the end of the file"};
        }
    } catch (Refused& refused) {
        reading.outcome = refused.outcome;
        reading.reason = std::move(refused.reason);
        reading.contents.names.clear();
        reading.contents.imports.clear();
    }
    return reading;
}

}  // namespace

std::vector<std::string> ImportedPackages(const PackageContents& contents)
{
    std::vector<std::string> packages;
    for (const PackageImport& import : contents.imports) {
        if (import.outer != 0 || !EqualIgnoringAsciiCase(import.className, "Package"))
            continue;
        bool seen = false;
        for (const std::string& known : packages)
            seen = seen || EqualIgnoringAsciiCase(known, import.objectName);
        if (!seen)
            packages.push_back(import.objectName);
    }
    return packages;
}

PackageReading ReadPackage(std::string_view bytes)
{
    PackageCursor cursor(bytes);
    return Read(cursor);
}

PackageReading ReadPackage(const InputFile& file)
{
    PackageCursor cursor(file);
    return Read(cursor);
}

std::string_view PackageOutcomeText(PackageReading::Outcome outcome)
{
    switch (outcome) {
    case PackageReading::Outcome::Read:
        return "read";
    case PackageReading::Outcome::NotAPackage:
        return "not a package";
    case PackageReading::Outcome::Truncated:
        return "cut short";
    case PackageReading::Outcome::BadTable:
        return "a table the file can't hold";
    case PackageReading::Outcome::BadName:
        return "a malformed name";
    case PackageReading::Outcome::BadImport:
        return "a malformed import";
    }
    return "malformed";
}

}  // namespace thld
