#include "cache/requirements.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "cache/cached_file.h"
#include "cache/index_lookup.h"
#include "cache/index_text.h"
#include "package/region_scan.h"
#include "platform/code_page.h"
#include "platform/name_index.h"

namespace thld {

namespace {

// What the name search of a package without readable tables finds, and what it looks for in.
bool CanBeRequired(PackageKind kind) { return kind == kind::Textures || kind == kind::Script; }
bool IsSearched(PackageKind kind) { return kind == kind::Map || kind == kind::Script; }

std::string_view Cut(std::string_view text) { return text.substr(0, std::min(text.size(), kMaxPatternNameLength)); }

// What the pass knows of one package item: its entry line read again, and the kind of its file.
struct Participant {
    bool present = false;   // the entry line was found again
    bool sameKey = false;   // it still names the item's cached file
    bool named = false;     // its value is not empty: an entry without a name takes no part
    std::string_view key;   // in the index read again, as its text holds it
    std::string_view name;  // the package's name: the value without its package-file extension
    std::string_view text;  // the entry's value cut to 254 bytes, as the index's text holds it
    PackageKind kind = kind::Unknown;
};

// A name laid out as its pattern, to be looked up among the patterns.
class PatternOf {
public:
    explicit PatternOf(std::string_view name)
    {
        name = Cut(name);
        bytes_[0] = static_cast<std::uint8_t>(name.size() + 1);
        std::copy(name.begin(), name.end(), bytes_.begin() + 1);
        std::fill_n(bytes_.begin() + 1 + name.size(), 8, std::uint8_t{0});
    }
    const std::uint8_t* Bytes() const { return bytes_.data(); }

private:
    // Lookups read 8 bytes at a time: the 8 after the name are zeros, the rest is never read (a
    // pass looks up hundreds of thousands of names, and clearing all 263 bytes each time showed).
    std::array<std::uint8_t, 1 + kMaxPatternNameLength + 8> bytes_;
};

}  // namespace

void DetermineRelationships(const std::string& cacheFolder, std::vector<PackageItem>& items, std::size_t readSize)
{
    for (PackageItem& item : items)
        item.requirements.clear();
    if (items.empty())
        return;
    // However the pass ends, the listing's findings are gone after it.
    struct Consumed {
        std::vector<PackageItem>& items;
        ~Consumed()
        {
            for (PackageItem& item : items)
                item.namesInRegion.reset();
        }
    } consumed{items};

    // Every item's entry line again, from one reading of the index, and its file's kind: the
    // listing's, unless the line now names another file, which is then classified (once).
    // The names looked for are cache.ini's own bytes, as the listing's are.
    const StoredEntries stored = ReadStoredEntries(cacheFolder);
    const IndexEntries& index = stored.entries;
    std::unordered_map<std::string, PackageKind> kindOfOtherKey;
    std::vector<Participant> participants(items.size());
    constexpr std::size_t kNoItem = static_cast<std::size_t>(-1);
    // The items by package name (in the program's text, any case), in tree order: what an import
    // names. The names are kept in `names`; the map holds views of them.
    std::vector<std::string> names(items.size());
    NameIndex firstNamed(NameIndex::Letters::IgnoringCase,
                         [&names](std::uint32_t item) { return std::string_view(names[item]); });
    firstNamed.Reserve(items.size());
    std::vector<std::size_t> nextNamed(items.size(), kNoItem), lastNamed(items.size(), kNoItem);
    NamePatterns patterns;
    patterns.Reserve(items.size());
    // Per pattern, the items whose name it is, in tree order: the first and last of a chain
    // through nextCarrier.
    std::vector<std::size_t> firstCarrier, lastCarrier, nextCarrier(items.size(), kNoItem);
    for (std::size_t i = 0; i < items.size(); ++i) {
        auto line = index.Line(items[i].entryNumber);
        auto entry = line ? SplitEntryText(*line) : std::nullopt;
        if (!entry)
            continue;
        const auto [key, value] = *entry;
        Participant& p = participants[i];
        p.present = true;
        p.key = key;
        p.kind = items[i].kind;
        p.sameKey = stored.index.NameIs(key, items[i].key);
        p.named = !value.empty();
        p.name = PackageNameIn(value);
        if (!p.sameKey) {
            std::string otherKey = stored.index.NameOf(key);
            auto known = kindOfOtherKey.find(otherKey);
            if (known == kindOfOtherKey.end())
                known = kindOfOtherKey.emplace(otherKey, GetPackageKind(cacheFolder, otherKey)).first;
            p.kind = known->second;
        }
        if (!p.named)
            continue;
        // The requirement's text is the value, by which the commands find the entry again.
        p.text = Cut(value);
        names[i] = stored.index.NameOf(p.name);
        if (const std::size_t first = firstNamed.Add(static_cast<std::uint32_t>(i)); first != i) {
            nextNamed[lastNamed[first]] = i;
            lastNamed[first] = i;
        } else {
            lastNamed[i] = i;
        }
        if (!CanBeRequired(p.kind))
            continue;
        // The file holds the package's name, which is the value without its extension (the game
        // writes values such as Untitled.utx).
        std::size_t pattern = patterns.Add(Cut(p.name));
        if (pattern == NamePatterns::kNone)
            continue;
        if (pattern == firstCarrier.size()) {
            firstCarrier.push_back(i);
            lastCarrier.push_back(i);
        } else {
            nextCarrier[lastCarrier[pattern]] = i;
            lastCarrier[pattern] = i;
        }
    }

    RegionScanner scanner(patterns, readSize);
    SummaryReader summaries;
    std::vector<std::size_t> required;
    for (std::size_t b = 0; b < items.size(); ++b) {
        const Participant& searched = participants[b];
        if (!searched.present || !searched.named)
            continue;
        required.clear();
        // A package never requires itself, nor another version of itself.
        auto isItself = [&](std::size_t a) { return EqualIgnoringAsciiCase(participants[a].name, searched.name); };
        auto carriersOf = [&](std::size_t pattern) {
            for (std::size_t a = firstCarrier[pattern]; a != kNoItem; a = nextCarrier[a])
                if (!isItself(a))
                    required.push_back(a);
        };
        std::optional<InputFile> file;
        const PackageSummary* summary = &items[b].summary;
        PackageSummary other;
        if (!searched.sameKey && searched.kind != kind::NotAvailable) {
            // The line now names another file: what that file says, as the listing would have read it.
            file = InputFile::OpenUnshared(CachedFilePath(cacheFolder, stored.index.NameOf(searched.key)));
            if (!file)
                continue;
            other = summaries.Read(*file);
            summary = &other;
        }
        if (summary->tables == PackageTables::Read) {
            // The game loads what the import table names: any cached package of that name.
            for (std::string_view import : summary->imports) {
                const std::optional<std::uint32_t> carriers = firstNamed.Find(import);
                if (!carriers)
                    continue;
                for (std::size_t a = *carriers; a != kNoItem; a = nextNamed[a])
                    if (!isItself(a))
                        required.push_back(a);
            }
        } else if (!IsSearched(searched.kind) || patterns.Count() == 0) {
            continue;
        } else if (items[b].namesInRegion && searched.sameKey) {
            // The listing searched this file already, for the names of every entry it read. When
            // cache.ini or the file changed since, the answer is the one their state then gives.
            for (const std::string& name : *items[b].namesInRegion)
                if (std::size_t pattern = patterns.Find(PatternOf(name).Bytes()); pattern != NamePatterns::kNone)
                    carriersOf(pattern);
        } else {
            if (!file)
                file = InputFile::OpenUnshared(CachedFilePath(cacheFolder, stored.index.NameOf(searched.key)));
            if (!file)
                continue;
            for (std::size_t pattern : scanner.Scan(*file))
                carriersOf(pattern);
        }
        // The listing's findings have served: what a long listing keeps is its requirements.
        items[b].namesInRegion.reset();
        std::sort(required.begin(), required.end());
        required.erase(std::unique(required.begin(), required.end()), required.end());
        items[b].requirements.reserve(required.size());
        for (std::size_t a : required)
            items[b].requirements.push_back(stored.index.NameOf(participants[a].text));
    }
}

}  // namespace thld
