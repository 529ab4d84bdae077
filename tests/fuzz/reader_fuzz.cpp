// The reader on any cache.ini: the listing, the lookups and FindEntryLine must agree with a plain
// second reading of the file and with each other, and every listed package must be removable.

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>

#include "cache/cache_listing.h"
#include "cache/cached_file.h"
#include "cache/index_lookup.h"
#include "cache/index_rewrite.h"
#include "fuzz_folder.h"
#include "index_model.h"
#include "package/package_kind.h"
#include "support/fake_cache.h"

namespace thld::fuzz {
namespace {

bool PlainKey(const std::string& key)
{
    if (key.empty() || key.size() > 16)
        return false;
    for (char c : key)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

// A cached file for the key: its kind names and its size follow from the key.
std::string PackageBytes(const std::string& key)
{
    std::uint32_t hash = 2166136261u;
    for (char c : key)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    std::string bytes;
    if (hash & 1)
        bytes += test::KindWords(kind::Map);
    if (hash & 2)
        bytes += test::KindWords(kind::Textures);
    if (hash & 4)
        bytes += test::KindWords(kind::Script);
    bytes.resize(bytes.size() + (hash >> 3) % 3000, '.');
    return bytes;
}

void CheckOneInput(std::string_view bytes)
{
    const std::string& folder = FuzzFolder();
    EmptyFuzzFolder();
    WriteBytes(folder + "cache.ini", bytes);
    const ModelIndex model = ModelOf(bytes);
    for (int line : model.entryLines) {
        std::string key = KeyOfLine(Stripped(model.lines[line].text));
        if (PlainKey(key))
            WriteBytes(folder + key + ".uxx", PackageBytes(key));
    }

    const Listing listing = ListCacheIndex(folder);
    Require(listing.outcome == (model.lines.empty() ? Listing::Outcome::Empty : Listing::Outcome::Listed),
            "listing outcome");
    if (listing.outcome == Listing::Outcome::Empty)
        Require(listing.items.empty(), "items of an empty file");

    const IndexEntries entries = ReadIndexEntries(folder);
    Require(entries.outcome == IndexEntries::Outcome::Read, "entries unreadable");
    Require(entries.lines.size() == model.entryLines.size(), "entry count");
    if (model.header >= 0)
        Require(entries.firstEntryNumber == model.header + 1, "first entry number");

    std::size_t next = 0;
    std::uint64_t total = 0;
    for (std::size_t k = 0; k < model.entryLines.size(); ++k) {
        const int number = model.entryLines[k];
        const std::string stripped = Stripped(model.lines[number].text);
        const std::string key = KeyOfLine(stripped);
        const int entryNumber = model.header + 1 + static_cast<int>(k);
        Require(entries.lines[k] == stripped, "entry line");
        Require(entries.Line(entryNumber) == stripped, "lookup by entry number");

        const PackageKind kind = GetPackageKind(folder, key);
        if (kind == kind::NotAvailable)
            continue;
        Require(next < listing.items.size(), "an entry is not listed");
        const PackageItem& item = listing.items[next++];
        Require(item.name == ValueOfLine(stripped) && item.key == key, "item text or key");
        Require(item.entryNumber == entryNumber, "item entry number");
        Require(item.kind == kind, "item kind");
        // A key that is no plain file name (an empty one, "/K", "..") names no file: nothing is read.
        const bool named = IsPlainFileName(key);
        std::uint64_t size = named ? FileSize(folder + key + ".uxx") : 0;
        Require(item.size == size, "item size");
        Require(item.sizeText == (named ? std::to_string(size / 1024) + "k bytes" : "0"), "size text");
        total += size;

        const FoundLine found = FindEntryLine(folder, item.name);
        Require(found.outcome == FoundLine::Outcome::Found, "a listed package is not found");
        const int line = found.number;
        Require(ValueOfLine(found.text) == item.name && found.text == Stripped(model.lines[line].text), "found line");
        for (int earlier : model.entryLines) {
            if (earlier >= line)
                break;
            Require(ValueOfLine(Stripped(model.lines[earlier].text)) != item.name, "not the first match");
        }
    }
    Require(next == listing.items.size(), "more items than entries");
    Require(listing.total == total, "total");

    for (int entryNumber : {INT_MIN, -2, -1, 0, model.header + 1 + static_cast<int>(model.entryLines.size()), INT_MAX})
        Require(!entries.Line(entryNumber), "lookup past the entries");
    // Values outside the index are never found.
    for (int i = 0; i < static_cast<int>(model.lines.size()); ++i) {
        std::string stripped = Stripped(model.lines[i].text);
        if (stripped.find('=') == std::string::npos)
            continue;
        const FoundLine found = FindEntryLine(folder, ValueOfLine(stripped));
        Require(found.outcome == FoundLine::Outcome::NoSuchLine ||
                    std::find(model.entryLines.begin(), model.entryLines.end(), found.number) != model.entryLines.end(),
                "a line outside the index was found");
    }

    if (!listing.items.empty()) {
        const std::string& name = listing.items.back().name;
        const int line = FindEntryLine(folder, name).number;
        const RemovedLine removed = RemoveEntryLine(folder, line);
        Require(removed.outcome == RemovedLine::Outcome::Removed, "a listed package was not removed");
        Require(removed.text == Stripped(model.lines[line].text), "the removed line");
        Require(ReadBytes(folder + "cache.ini") == Rewritten(model, line), "the rewritten file");
        Require(ReadBytes(folder + "cache.bak") == bytes, "the backup");
    }
}

}  // namespace
}  // namespace thld::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    thld::fuzz::CheckOneInput(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
