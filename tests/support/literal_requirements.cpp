#include "support/literal_requirements.h"

#include <cstdint>
#include <optional>

#include "cache/cached_file.h"
#include "cache/index_lookup.h"
#include "cache/index_text.h"
#include "package/buffer_contains.h"
#include "package/package_kind.h"
#include "platform/code_page.h"
#include "platform/file.h"

namespace thld::test {

namespace {

// The file's bytes from its start, one at a time.
class ByteSource {
public:
    ByteSource(const InputFile& file, bool oneByteReads) : file_(file), blockSize_(oneByteReads ? 1 : 4096) {}
    bool Next(std::uint8_t& byte)
    {
        if (at_ == block_.size()) {
            block_.resize(blockSize_);
            block_.resize(file_.ReadAt(offset_, block_.data(), blockSize_));
            offset_ += block_.size();
            at_ = 0;
            if (block_.empty())
                return false;
        }
        byte = block_[at_++];
        return true;
    }

private:
    const InputFile& file_;
    std::size_t blockSize_;
    std::vector<std::uint8_t> block_;
    std::size_t at_ = 0;
    std::uint64_t offset_ = 0;
};

// The region's length: the bytes are counted from the start, with a count of consecutive 0xFF
// bytes, until that count reaches eight; the whole file when it never does.
std::uint64_t RegionLength(const InputFile& file, bool oneByteReads)
{
    ByteSource source(file, oneByteReads);
    std::uint64_t read = 0;
    int run = 0;
    std::uint8_t byte = 0;
    while (run < 8 && source.Next(byte)) {
        ++read;
        run = byte == 0xFF ? run + 1 : 0;
    }
    return run == 8 ? read - 8 : read;
}

std::string Cut(std::string text) { return text.size() > 254 ? text.substr(0, 254) : text; }

// The lookup by entry number, reading cache.ini afresh on every call: the entry whose entry number
// is n - 1 as the file's text holds it, with its key as the program's text; nothing when there is
// none.
struct StoredEntry {
    std::string key;        // the program's text, naming the cached file
    std::string value;      // as the file's text holds it: the name looked for
    std::string valueText;  // the value cut to 254 bytes, as the program's text
};
std::optional<StoredEntry> EntryByNumber(const std::string& cacheFolder, int n)
{
    const StoredEntries stored = ReadStoredEntries(cacheFolder);
    auto line = stored.entries.Line(n - 1);
    auto entry = line ? SplitEntryLine(*line) : std::nullopt;
    if (!entry)
        return std::nullopt;
    return StoredEntry{stored.index.NameOf(entry->key), entry->value, stored.index.NameOf(entry->value.substr(0, 254))};
}

}  // namespace

std::size_t LiteralRelationships(const std::string& cacheFolder, std::vector<PackageItem>& items,
                                 const LiteralOptions& options)
{
    for (PackageItem& item : items)
        item.requirements.clear();
    std::size_t walks = 0;
    for (std::size_t a = 0; a < items.size() && walks < options.walkLimit; ++a) {
        auto entryA = EntryByNumber(cacheFolder, items[a].entryNumber + 1);
        if (!entryA)
            continue;
        PackageKind kindA = GetPackageKind(cacheFolder, entryA->key);
        if (entryA->value.empty() || (kindA != kind::Textures && kindA != kind::Script))
            continue;
        ++walks;
        const std::string& text = entryA->valueText;
        const std::string name = Cut(PackageNameOf(entryA->value));
        std::string pattern(1, static_cast<char>(name.size() + 1));
        pattern += name;
        for (std::size_t b = 0; b < items.size(); ++b) {
            auto entryB = EntryByNumber(cacheFolder, items[b].entryNumber + 1);
            if (!entryB)
                continue;
            PackageKind kindB = GetPackageKind(cacheFolder, entryB->key);
            // A package never requires itself, nor another version of its own name.
            if (b == a || entryB->value.empty() || (kindB != kind::Map && kindB != kind::Script) ||
                EqualIgnoringAsciiCase(PackageNameOf(entryB->value), PackageNameOf(entryA->value)))
                continue;
            std::vector<std::uint8_t> region;
            {
                auto file = InputFile::OpenUnshared(CachedFilePath(cacheFolder, entryB->key));
                if (!file)
                    continue;
                region.resize(static_cast<std::size_t>(RegionLength(*file, options.oneByteReads)));
                region.resize(file->ReadAt(0, region.data(), region.size()));
            }
            if (BufferContains(region.data(), region.size(), pattern))
                items[b].requirements.push_back(text);
        }
    }
    return walks;
}

}  // namespace thld::test
