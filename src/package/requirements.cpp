#include "package/requirements.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "cache/cache_index.h"
#include "cache/index_text.h"
#include "package/region_scan.h"
#include "package/requirements_pass.h"

namespace thld {

namespace {

bool CanBeRequired(PackageKind kind) { return kind == kind::Textures || kind == kind::Script; }
bool IsSearched(PackageKind kind) { return kind == kind::Map || kind == kind::Script; }

std::string CutName(std::string_view name)
{
    return std::string(name.substr(0, std::min(name.size(), kMaxPatternNameLength)));
}

// What the pass knows of one package item: its entry line read again, and the kind of its file.
struct Participant {
    std::string key;
    std::string text;  // the requirement item's text: the entry's value, cut to 254 bytes
    PackageKind kind = kind::Unknown;
    std::size_t pattern = NamePatterns::kNone;
};

// The entry line of an entry number, from the one reading of the index.
std::optional<CacheEntry> EntryOf(const IndexEntries& index, int entryNumber)
{
    if (index.unreadable)
        return std::nullopt;
    long long at = static_cast<long long>(entryNumber) - index.firstEntryNumber;
    if (at < 0 || at >= static_cast<long long>(index.lines.size()))
        return std::nullopt;
    return SplitEntryLine(index.lines[static_cast<std::size_t>(at)]);
}

}  // namespace

void DetermineRelationships(const std::string& cacheFolder, std::vector<PackageItem>& items)
{
    DetermineRelationships(cacheFolder, items, kRegionReadSize);
}

void DetermineRelationships(const std::string& cacheFolder, std::vector<PackageItem>& items,
                            std::size_t readSize)
{
    for (PackageItem& item : items)
        item.requirements.clear();
    if (items.empty())
        return;

    // Every item's entry line again, from one reading of the index, and its file's kind: the
    // listing's, unless the line now names another file, which is then classified (once).
    const IndexEntries index = ReadIndexEntries(cacheFolder);
    std::unordered_map<std::string, PackageKind> kindOfOtherKey;
    std::vector<std::optional<Participant>> participants(items.size());
    NamePatterns patterns;
    std::vector<std::vector<std::size_t>> carriers;  // per pattern: the items whose name it is
    std::unordered_map<std::string, std::size_t> patternOfName;
    std::size_t requiredCount = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::optional<CacheEntry> entry = EntryOf(index, items[i].entryNumber);
        if (!entry)
            continue;
        Participant& p = participants[i].emplace();
        p.kind = items[i].kind;
        if (entry->key != items[i].key) {
            auto known = kindOfOtherKey.find(entry->key);
            if (known == kindOfOtherKey.end())
                known = kindOfOtherKey.emplace(entry->key, GetPackageKind(cacheFolder, entry->key)).first;
            p.kind = known->second;
        }
        if (CanBeRequired(p.kind)) {
            // The file holds the package's name, which is the value without its extension (the
            // game writes values such as Untitled.utx); the requirement's text is the value, by
            // which the commands find the entry again.
            ++requiredCount;
            p.text = CutName(entry->value);
            std::string name = CutName(PackageNameOf(entry->value));
            p.pattern = patterns.Add(name);
            if (p.pattern != NamePatterns::kNone) {
                patternOfName.emplace(std::move(name), p.pattern);
                carriers.resize(patterns.Count());
                carriers[p.pattern].push_back(i);
            }
        }
        p.key = std::move(entry->key);
    }
    if (patterns.Count() == 0)
        return;

    RegionScanner scanner(patterns, readSize);
    std::vector<std::size_t> required;
    for (std::size_t b = 0; b < items.size(); ++b) {
        const std::optional<Participant>& searched = participants[b];
        if (!searched || !IsSearched(searched->kind))
            continue;
        if (requiredCount == 1 && CanBeRequired(searched->kind))
            continue;  // the only package that could be required is this one
        required.clear();
        if (items[b].namesInRegion && searched->key == items[b].key) {
            // The listing searched this file already, for the names of every entry it read. When
            // cache.ini or the file changed since, the answer is the one their state then gives.
            for (const std::string& name : *items[b].namesInRegion) {
                auto pattern = patternOfName.find(name);
                if (pattern == patternOfName.end())
                    continue;
                for (std::size_t a : carriers[pattern->second])
                    if (a != b)
                        required.push_back(a);
            }
        } else {
            auto file = InputFile::OpenUnshared(CachedFilePath(cacheFolder, searched->key));
            if (!file)
                continue;
            for (std::size_t pattern : scanner.Scan(*file))
                for (std::size_t a : carriers[pattern])
                    if (a != b)
                        required.push_back(a);
        }
        std::sort(required.begin(), required.end());
        for (std::size_t a : required)
            items[b].requirements.push_back(participants[a]->text);
    }
}

}  // namespace thld
