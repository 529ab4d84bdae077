#include "package/package_summary.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "package/package_reader.h"
#include "platform/code_page.h"

namespace thld {

namespace {

constexpr std::size_t kHeaderBytes = 52;     // through the GUID of a version-68 header
constexpr std::size_t kOldHeaderBytes = 44;  // through the GUID table's count and offset
constexpr std::uint32_t kMostEntries = 1u << 20;
constexpr std::size_t kLongestName = 256;
constexpr std::size_t kLongestNameEntry = 5 + kLongestName + 4;  // length, name, flags
constexpr std::size_t kLongestImport = 5 + 5 + 4 + 5;            // three compact indexes and the outer
constexpr std::size_t kFirstNameRead = 16 * 1024;

std::uint32_t Le32(const std::uint8_t* at)
{
    return std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 | std::uint32_t(at[2]) << 16 | std::uint32_t(at[3]) << 24;
}

// A compact index at bytes[at, end): its value and the byte after it; nothing when it runs past
// the end (`short`) or is malformed.
struct Compact {
    std::int32_t value = 0;
    std::size_t next = 0;
};
enum class Parse {
    Done,
    Short,
    Bad
};
Parse ReadCompact(const std::uint8_t* bytes, std::size_t at, std::size_t end, Compact& out)
{
    if (at >= end)
        return Parse::Short;
    const std::uint8_t first = bytes[at++];
    std::uint64_t value = first & 0x3F;
    bool more = (first & 0x40) != 0;
    for (int shift = 6, count = 1; more; shift += 7, ++count) {
        if (count == 5)
            return Parse::Bad;
        if (at >= end)
            return Parse::Short;
        const std::uint8_t next = bytes[at++];
        value |= std::uint64_t(next & 0x7F) << shift;
        more = (next & 0x80) != 0;
    }
    if (value > 0x7FFFFFFF)
        return Parse::Bad;
    const auto magnitude = static_cast<std::int32_t>(value);
    out.value = (first & 0x80) ? -magnitude : magnitude;
    out.next = at;
    return Parse::Done;
}

// One name-table entry at bytes[at, end): the name's span and the offset after the entry.
Parse ReadNameEntry(const std::uint8_t* bytes, std::size_t at, std::size_t end, bool withLength,
                    std::pair<std::uint32_t, std::uint32_t>& span, std::size_t& next)
{
    if (at >= end)
        return Parse::Short;
    std::size_t start = at, stop = 0;
    if (withLength) {
        Compact length;
        if (Parse parse = ReadCompact(bytes, at, end, length); parse != Parse::Done)
            return parse;
        if (length.value <= 0 || static_cast<std::size_t>(length.value) > kLongestName)
            return Parse::Bad;
        start = length.next;
        if (end - start < static_cast<std::size_t>(length.value) + 4)
            return Parse::Short;
        const auto* nul = static_cast<const std::uint8_t*>(std::memchr(bytes + start, 0, std::size_t(length.value)));
        stop = nul ? static_cast<std::size_t>(nul - bytes) : start + std::size_t(length.value);
        next = start + std::size_t(length.value) + 4;
    } else {
        const std::size_t look = std::min(end - at, kLongestName + 1);
        const auto* nul = static_cast<const std::uint8_t*>(std::memchr(bytes + at, 0, look));
        if (!nul)
            return look == kLongestName + 1 ? Parse::Bad : Parse::Short;
        stop = static_cast<std::size_t>(nul - bytes);
        if (end - stop < 1 + 4)
            return Parse::Short;
        next = stop + 1 + 4;
    }
    span = {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(stop - start)};
    return Parse::Done;
}

struct Damaged {};

// Reads bytes [offset, offset + count) of the file onto the end of `into`; fewer at its end.
std::size_t Append(const InputFile& file, std::uint64_t offset, std::size_t count, std::vector<std::uint8_t>& into)
{
    const std::size_t before = into.size();
    into.resize(before + count);
    const std::size_t got = count == 0 ? 0 : file.ReadAt(offset, into.data() + before, count);
    into.resize(before + got);
    return got;
}

}  // namespace

std::string PackageGuid::Text() const
{
    char text[33];
    std::snprintf(text, sizeof text, "%08X%08X%08X%08X", parts[0], parts[1], parts[2], parts[3]);
    return text;
}

void NameList::Add(std::string_view name)
{
    name = name.substr(0, name.find('\0'));
    if (Contains(name))
        return;
    joined_.append(name);
    joined_.push_back('\0');
    ++count_;
}

void NameList::AddNew(std::string_view name)
{
    joined_.append(name.substr(0, name.find('\0')));
    joined_.push_back('\0');
    ++count_;
}

bool NameList::Contains(std::string_view name) const
{
    for (std::string_view known : *this)
        if (EqualIgnoringAsciiCase(known, name))
            return true;
    return false;
}

PackageSummary SummaryReader::Read(const InputFile& file)
{
    header_.clear();
    Append(file, 0, kHeaderBytes, header_);
    return Read(file, header_.data(), header_.size());
}

PackageSummary SummaryReader::Read(const InputFile& file, const std::uint8_t* head, std::size_t got)
{
    PackageSummary summary;
    const std::uint64_t length = file.Length();
    if (got < kHeaderBytes && length > got) {
        if (head != header_.data()) {
            header_.assign(head, head + got);
            head = header_.data();
        }
        Append(file, got, kHeaderBytes - got, header_);
        head = header_.data();
        got = header_.size();
    }
    if (got < 4 || Le32(head) != kPackageTag) {
        summary.tables = PackageTables::NotAPackage;
        return summary;
    }
    try {
        if (got < kOldHeaderBytes)
            throw Damaged{};
        summary.fileVersion = static_cast<std::uint16_t>(head[4] | head[5] << 8);
        const std::uint32_t nameCount = Le32(head + 12), nameOffset = Le32(head + 16);
        const std::uint32_t importCount = Le32(head + 28), importOffset = Le32(head + 32);
        const bool withGuid = summary.fileVersion >= kFirstVersionWithGuid;
        const std::size_t headerEnd = withGuid ? kHeaderBytes : kOldHeaderBytes;
        if (withGuid) {
            if (got < kHeaderBytes)
                throw Damaged{};
            summary.guid = PackageGuid{{Le32(head + 36), Le32(head + 40), Le32(head + 44), Le32(head + 48)}};
        } else if (const std::uint32_t count = Le32(head + 36); count != 0) {
            const std::uint64_t table = Le32(head + 40);
            if (count > kMostEntries || table < headerEnd || table > length ||
                std::uint64_t(count) * 16 > length - table)
                throw Damaged{};
            std::uint8_t last[16];
            if (file.ReadAt(table + std::uint64_t(count - 1) * 16, last, sizeof last) != sizeof last)
                throw Damaged{};
            summary.guid = PackageGuid{{Le32(last), Le32(last + 4), Le32(last + 8), Le32(last + 12)}};
        }
        if (nameCount == 0) {
            summary.tables = PackageTables::NoNames;
            return summary;
        }
        auto checkTable = [&](std::uint32_t count, std::uint32_t offset) {
            if (count > kMostEntries || (count > 0 && (offset < headerEnd || offset >= length)))
                throw Damaged{};
        };
        checkTable(nameCount, nameOffset);
        checkTable(importCount, importOffset);

        // The name table, on from the head's bytes, in reads that grow until every name is whole.
        const bool withLengths = summary.fileVersion >= kFirstVersionWithNameLengths;
        const std::uint64_t nameLimit =
            std::min({length - nameOffset, std::uint64_t(nameCount) * kLongestNameEntry, kMostTableBytes});
        names_.clear();
        if (nameOffset < got)
            names_.assign(head + nameOffset, head + std::min<std::uint64_t>(got, nameOffset + nameLimit));
        nameSpans_.clear();
        nameSpans_.reserve(nameCount);
        std::size_t at = 0;
        std::size_t nextRead = kFirstNameRead;
        while (nameSpans_.size() < nameCount) {
            std::pair<std::uint32_t, std::uint32_t> span;
            std::size_t next = 0;
            const Parse parse = ReadNameEntry(names_.data(), at, names_.size(), withLengths, span, next);
            if (parse == Parse::Bad)
                throw Damaged{};
            if (parse == Parse::Done) {
                nameSpans_.push_back(span);
                at = next;
                continue;
            }
            if (names_.size() >= nameLimit)
                throw Damaged{};
            const std::size_t wanted =
                static_cast<std::size_t>(std::min<std::uint64_t>(nextRead, nameLimit - names_.size()));
            if (Append(file, nameOffset + names_.size(), wanted, names_) < wanted)
                throw Damaged{};
            nextRead = std::min<std::size_t>(nextRead * 2, 1 << 20);
        }

        // The import table, in one read of as many bytes as its entries can take.
        const std::uint64_t importLimit =
            importCount == 0
                ? 0
                : std::min({length - importOffset, std::uint64_t(importCount) * kLongestImport, kMostTableBytes});
        imports_.clear();
        Append(file, importOffset, static_cast<std::size_t>(importLimit), imports_);
        at = 0;
        auto nameOf = [&](std::int32_t index) -> std::string_view {
            if (index < 0 || static_cast<std::size_t>(index) >= nameSpans_.size())
                throw Damaged{};
            const auto& [offset, size] = nameSpans_[static_cast<std::size_t>(index)];
            return {reinterpret_cast<const char*>(names_.data()) + offset, size};
        };
        for (std::uint32_t i = 0; i < importCount; ++i) {
            Compact classPackage, className, objectName;
            if (ReadCompact(imports_.data(), at, imports_.size(), classPackage) != Parse::Done ||
                ReadCompact(imports_.data(), classPackage.next, imports_.size(), className) != Parse::Done ||
                imports_.size() - className.next < 4)
                throw Damaged{};
            const std::int32_t outer = static_cast<std::int32_t>(Le32(imports_.data() + className.next));
            if (ReadCompact(imports_.data(), className.next + 4, imports_.size(), objectName) != Parse::Done)
                throw Damaged{};
            at = objectName.next;
            nameOf(classPackage.value);
            const std::string_view object = nameOf(objectName.value);
            if (outer == 0 && EqualIgnoringAsciiCase(nameOf(className.value), "Package"))
                summary.imports.Add(TextFromCodePage(object));
        }
        summary.tables = PackageTables::Read;
    } catch (const Damaged&) {
        summary.tables = PackageTables::Damaged;
        summary.imports = {};
    }
    return summary;
}

std::optional<PackageSummary> ReadPackageSummary(const std::string& path)
{
    auto file = InputFile::OpenUnshared(path);
    if (!file)
        return std::nullopt;
    return SummaryReader().Read(*file);
}

}  // namespace thld
