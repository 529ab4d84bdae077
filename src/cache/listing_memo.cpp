#include "cache/listing_memo.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>

#include "platform/file.h"
#include "platform/file_link.h"
#include "platform/folder.h"

namespace thld {

namespace {

// "THLDMEMO", the format, the memo's length, the cache folder; the names the imports take, by
// number; the count of entries, then the entries (an import a number); then a checksum of
// everything before it.
constexpr std::string_view kMagic = "THLDMEMO";
constexpr std::size_t kChecksumBytes = 8;

constexpr std::array<PackageKind, 6> kKinds = {kind::Map,         kind::Textures,     kind::Script,
                                               kind::UnknownType, kind::NotAvailable, kind::Unknown};

std::uint64_t Checksum(std::string_view bytes)
{
    std::uint64_t hash = 14695981039346656037ULL;  // FNV-1a
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ULL;
    }
    return hash;
}

void Put(std::string& out, std::uint64_t value, std::size_t bytes)
{
    for (std::size_t i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>(value >> (8 * i)));
}

void PutVarint(std::string& out, std::uint32_t value)
{
    for (; value >= 0x80; value >>= 7)
        out.push_back(static_cast<char>((value & 0x7F) | 0x80));
    out.push_back(static_cast<char>(value));
}

// Reads the memo's bytes from the front, never past their end.
class Reader {
public:
    struct Short {};
    Reader(std::string_view bytes, std::size_t at) : bytes_(bytes), at_(at) {}
    std::uint64_t Number(std::size_t bytes)
    {
        const std::string_view taken = Take(bytes);
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < bytes; ++i)
            value |= std::uint64_t(static_cast<unsigned char>(taken[i])) << (8 * i);
        return value;
    }
    std::string_view Text(std::size_t lengthBytes) { return Take(static_cast<std::size_t>(Number(lengthBytes))); }
    // A number of seven bits a byte, the low bits first, five bytes at most.
    std::uint32_t Varint()
    {
        std::uint64_t value = 0;
        for (int shift = 0; shift < 35; shift += 7) {
            const std::uint64_t byte = Number(1);
            value |= (byte & 0x7F) << shift;
            if ((byte & 0x80) == 0)
                return value > 0xFFFFFFFF ? throw Short{} : static_cast<std::uint32_t>(value);
        }
        throw Short{};
    }
    std::string_view Take(std::size_t bytes)
    {
        if (bytes > bytes_.size() - at_)
            throw Short{};
        const std::string_view taken = bytes_.substr(at_, bytes);
        at_ += bytes;
        return taken;
    }
    std::size_t At() const { return at_; }

private:
    std::string_view bytes_;
    std::size_t at_;
};

struct Decoded {
    std::string_view name;
    FileStamp stamp;
    MemoEntry entry;
};

// Whether the entry's imports are made into its summary's list, or only checked.
enum class Imports {
    Made,
    Checked
};

// One entry at the reader, its imports numbers of `names`; Short or a bad value raise Short.
Decoded DecodeEntry(Reader& reader, const std::vector<std::string_view>& names, Imports imports = Imports::Made)
{
    Decoded d;
    d.name = reader.Text(1);
    d.stamp.size = reader.Number(8);
    d.stamp.written = static_cast<std::int64_t>(reader.Number(8));
    d.stamp.changed = static_cast<std::int64_t>(reader.Number(8));
    d.stamp.id = reader.Number(8);
    d.stamp.volume = reader.Number(8);
    const std::uint64_t kindCode = reader.Number(1), tables = reader.Number(1);
    if (kindCode >= kKinds.size() || tables > static_cast<std::uint64_t>(PackageTables::Damaged))
        throw Reader::Short{};
    d.entry.kind = kKinds[kindCode];
    d.entry.summary.tables = static_cast<PackageTables>(tables);
    d.entry.summary.fileVersion = static_cast<std::uint16_t>(reader.Number(2));
    if (reader.Number(1) != 0) {
        PackageGuid guid;
        for (std::uint32_t& part : guid.parts)
            part = static_cast<std::uint32_t>(reader.Number(4));
        d.entry.summary.guid = guid;
    }
    // Written from a list without repeats: read back as it stands.
    for (std::uint64_t count = reader.Number(2); count > 0; --count) {
        const std::uint32_t number = reader.Varint();
        if (number >= names.size())
            throw Reader::Short{};
        if (imports == Imports::Made)
            d.entry.summary.imports.AddNew(names[number]);
    }
    return d;
}

}  // namespace

ListingMemo::ListingMemo()
    : entries_(NameIndex::Letters::Exact, [this](std::uint32_t offset) { return Reader(bytes_, offset).Text(1); })
{}

std::unique_ptr<ListingMemo> ListingMemo::Decode(std::string bytes, std::string_view cacheFolder)
{
    if (bytes.size() < kMagic.size() + kChecksumBytes || bytes.size() > kMostMemoBytes ||
        std::string_view(bytes).substr(0, kMagic.size()) != kMagic)
        return nullptr;
    const std::size_t bodySize = bytes.size() - kChecksumBytes;
    if (Reader(bytes, bodySize).Number(kChecksumBytes) != Checksum(std::string_view(bytes).substr(0, bodySize)))
        return nullptr;
    std::unique_ptr<ListingMemo> memo(new ListingMemo);
    memo->bytes_ = std::move(bytes);
    const std::string_view body = std::string_view(memo->bytes_).substr(0, bodySize);
    try {
        Reader reader(body, kMagic.size());
        if (reader.Number(4) != kMemoFormat || reader.Number(8) != memo->bytes_.size() || reader.Text(2) != cacheFolder)
            return nullptr;
        // Each name takes a byte at least, each entry 48: no count can ask for more than the bytes hold.
        const std::uint64_t names = reader.Number(4);
        if (names > body.size() - reader.At())
            return nullptr;
        memo->names_.reserve(static_cast<std::size_t>(names));
        for (std::uint64_t i = 0; i < names; ++i)
            memo->names_.push_back(reader.Text(1));
        const std::uint64_t count = reader.Number(4);
        if (count > (body.size() - reader.At()) / 48)
            return nullptr;
        std::vector<std::uint32_t> offsets;
        offsets.reserve(static_cast<std::size_t>(count));
        for (std::uint64_t i = 0; i < count; ++i) {
            offsets.push_back(static_cast<std::uint32_t>(reader.At()));
            DecodeEntry(reader, memo->names_, Imports::Checked);
        }
        if (reader.At() != body.size())
            return nullptr;
        memo->entries_.Reserve(offsets.size());
        for (std::uint32_t offset : offsets)
            memo->entries_.Add(offset);
    } catch (const Reader::Short&) {
        return nullptr;
    }
    return memo;
}

std::optional<MemoEntry> ListingMemo::Find(std::string_view name, const FileStamp& stamp) const
{
    const std::optional<std::uint32_t> at = entries_.Find(name);
    if (!at)
        return std::nullopt;
    Reader reader(bytes_, *at);
    Decoded decoded = DecodeEntry(reader, names_);  // whole: Decode read it through
    if (!(decoded.stamp == stamp))
        return std::nullopt;
    return std::move(decoded.entry);
}

MemoWriter::MemoWriter(std::string_view cacheFolder)
    : folder_(cacheFolder.substr(0, 0xFFFF)),
      numbers_(NameIndex::Letters::Exact, [this](std::uint32_t number) { return std::string_view(names_[number]); })
{}

void MemoWriter::Add(std::string_view name, const FileStamp& stamp, PackageKind kind, const PackageSummary& summary)
{
    const auto code = std::find(kKinds.begin(), kKinds.end(), kind);
    // What the memo can't hold whole is not kept: the file is read again next time.
    if (name.size() > 0xFF || code == kKinds.end() || summary.imports.size() > 0xFFFF ||
        std::any_of(summary.imports.begin(), summary.imports.end(),
                    [](std::string_view import) { return import.size() > 0xFF; }))
        return;
    Put(entries_, name.size(), 1);
    entries_.append(name);
    Put(entries_, stamp.size, 8);
    Put(entries_, static_cast<std::uint64_t>(stamp.written), 8);
    Put(entries_, static_cast<std::uint64_t>(stamp.changed), 8);
    Put(entries_, stamp.id, 8);
    Put(entries_, stamp.volume, 8);
    Put(entries_, static_cast<std::uint64_t>(code - kKinds.begin()), 1);
    Put(entries_, static_cast<std::uint64_t>(summary.tables), 1);
    Put(entries_, summary.fileVersion, 2);
    Put(entries_, summary.guid ? 1 : 0, 1);
    if (summary.guid)
        for (std::uint32_t part : summary.guid->parts)
            Put(entries_, part, 4);
    std::vector<std::uint32_t> imports;
    for (std::string_view import : summary.imports) {
        names_.emplace_back(import);
        const auto number = static_cast<std::uint32_t>(names_.size() - 1);
        const std::uint32_t known = numbers_.Add(number);
        if (known != number)
            names_.pop_back();
        imports.push_back(known);
    }
    Put(entries_, imports.size(), 2);
    for (std::uint32_t number : imports)
        PutVarint(entries_, number);
    ++count_;
}

std::string MemoWriter::Finish()
{
    std::string bytes(kMagic);
    Put(bytes, kMemoFormat, 4);
    const std::size_t lengthAt = bytes.size();
    Put(bytes, 0, 8);
    Put(bytes, folder_.size(), 2);
    bytes.append(folder_);
    Put(bytes, names_.size(), 4);
    for (const std::string& name : names_) {
        Put(bytes, name.size(), 1);
        bytes.append(name);
    }
    Put(bytes, count_, 4);
    bytes.append(entries_);
    std::string length;
    Put(length, bytes.size() + kChecksumBytes, 8);
    bytes.replace(lengthAt, 8, length);
    Put(bytes, Checksum(bytes), kChecksumBytes);
    return bytes;
}

std::string MemoPathOf(const std::string& memoFolder, const std::string& cacheFolder)
{
    char name[40];
    std::snprintf(name, sizeof name, "listing-%016llx.memo", static_cast<unsigned long long>(Checksum(cacheFolder)));
    return memoFolder + name;
}

std::unique_ptr<ListingMemo> LoadMemo(const std::string& path, const std::string& cacheFolder)
{
    try {
        if (LinkAt(path) != LinkKind::None)
            return nullptr;
        std::optional<InputFile> file = InputFile::OpenUnshared(path);
        if (!file || file->Length() > kMostMemoBytes)
            return nullptr;
        std::string bytes(static_cast<std::size_t>(file->Length()), '\0');
        bytes.resize(file->ReadAt(0, bytes.data(), bytes.size()));
        return ListingMemo::Decode(std::move(bytes), cacheFolder);
    } catch (const FileError&) {
        return nullptr;
    }
}

bool SaveMemo(const std::string& path, const std::string& bytes)
{
    const std::size_t cut = path.find_last_of("/\\");
    if (cut == std::string::npos)
        return false;
    const std::string folder = path.substr(0, cut + 1);
    std::string temporary;
    try {
        if (!IsFolder(folder)) {
            const std::size_t parent = folder.find_last_of("/\\", folder.size() - 2);
            if (parent != std::string::npos && !IsFolder(folder.substr(0, parent + 1)))
                MakeFolder(folder.substr(0, parent + 1));
            MakeFolder(folder);
        }
        // A name of this program's own: two programs writing at once each write their own file.
        std::random_device device;
        const auto seed = static_cast<std::uint64_t>(device()) << 32 ^
                          static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".new-%016llx", static_cast<unsigned long long>(seed));
        temporary = path + suffix;
        OutputFile out = OutputFile::Create(temporary, OutputFile::Mode::CreateNew);
        out.Write(bytes);
        out.Close();
        ReplaceFileAtomically(temporary, path);
        return true;
    } catch (const FileError&) {
        if (!temporary.empty())
            try {
                RemoveFile(temporary);
            } catch (const FileError&) {}
        return false;
    }
}

}  // namespace thld
