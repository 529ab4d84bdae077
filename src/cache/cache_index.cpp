#include "cache/cache_index.h"

#include <algorithm>

#include "cache/index_file.h"
#include "cache/index_scan.h"
#include "cache/index_text.h"
#include "package/cached_file_probe.h"
#include "package/name_patterns.h"

namespace thld {

namespace {

// The answer of a lookup that found nothing: one character of code 1, which holds no "=".
std::string NothingFound() { return std::string(1, '\x01'); }

// The value of an entry line: the stripped text after its first "=".
std::string_view ValueOf(std::string_view strippedEntryLine)
{
    return strippedEntryLine.substr(strippedEntryLine.find('=') + 1);
}

}  // namespace

std::string Listing::TotalText() const { return "Total Cache: " + std::to_string(total >> 10) + "k bytes"; }

Listing ListCacheIndex(const std::string& cacheFolder) { return ListCacheIndex(cacheFolder, kRegionReadSize); }

Listing ListCacheIndex(const std::string& cacheFolder, std::size_t regionReadSize, ProbeThreads threads)
{
    Listing listing;
    listing.indexPath = IndexPathOf(cacheFolder);
    auto bytes = ReadIndexFile(listing.indexPath);
    if (!bytes) {
        listing.outcome = Listing::Outcome::Unreadable;
        return listing;
    }
    IndexScan scan = ScanIndex(*bytes);
    if (!scan.anyLine) {
        listing.outcome = Listing::Outcome::Empty;
        return listing;
    }
    std::vector<CacheEntry> entries;
    std::vector<int> entryNumbers;
    std::vector<std::string> keys;
    for (const IndexLine& line : scan.body) {
        if (!line.IsEntry())
            continue;
        entries.push_back(*SplitEntryLine(StripLineBreaks(line.text)));
        entryNumbers.push_back(line.entryNumber);
        keys.push_back(entries.back().key);  // the reader's own copy: the items take the entries
    }
    // Every package name that the requirements pass could look for is known before any cached
    // file is searched: the searched files are searched for all of them through the listing's own
    // open, and the pass keeps those of the packages that can be required.
    NamePatterns patterns;
    std::vector<std::string> patternNames;
    auto makePatterns = [&]() -> const NamePatterns& {
        for (const CacheEntry& entry : entries) {
            std::string name = PackageNameOf(entry.value);
            name.resize(std::min(name.size(), kMaxPatternNameLength));
            std::size_t number = patterns.Add(name);
            if (number == patternNames.size())
                patternNames.push_back(std::move(name));
        }
        return patterns;
    };
    // One open of each cached file tells its kind and size, and searches a map or script package.
    ProbeCachedFiles(cacheFolder, keys, regionReadSize, makePatterns, [&](std::size_t e, CachedFileProbe&& probe) {
        if (probe.kind == kind::NotAvailable)
            return;
        CacheEntry& entry = entries[e];
        PackageItem item;
        item.name = std::move(entry.value);
        item.entryNumber = entryNumbers[e];
        item.key = std::move(entry.key);
        item.kind = probe.kind;
        item.size = probe.length.value_or(0);
        item.sizeText = probe.length ? SizeTextOf(*probe.length) : "0";
        if (probe.found) {
            item.namesInRegion.emplace();
            item.namesInRegion->reserve(probe.found->size());
            for (std::size_t number : *probe.found)
                item.namesInRegion->push_back(patternNames[number]);
        }
        listing.total += item.size;
        listing.items.push_back(std::move(item));
    }, threads);
    return listing;
}

std::string ReadCacheIndex(const std::string& cacheFolder, int n, bool* unreadable)
{
    if (unreadable)
        *unreadable = false;
    auto bytes = ReadIndexFile(IndexPathOf(cacheFolder));
    if (!bytes) {
        if (unreadable)
            *unreadable = true;
        return NothingFound();
    }
    const long long wanted = static_cast<long long>(n) - 1;
    for (const IndexLine& line : ScanIndex(*bytes).body)
        if (line.IsEntry() && line.entryNumber == wanted)
            return StripLineBreaks(line.text);
    return NothingFound();
}

IndexEntries ReadIndexEntries(const std::string& cacheFolder)
{
    IndexEntries entries;
    auto bytes = ReadIndexFile(IndexPathOf(cacheFolder));
    if (!bytes) {
        entries.unreadable = true;
        return entries;
    }
    IndexScan scan = ScanIndex(*bytes);
    if (!scan.header)
        return entries;
    entries.firstEntryNumber = scan.header->number + 1;
    for (const IndexLine& line : scan.body)
        if (line.IsEntry())
            entries.lines.push_back(StripLineBreaks(line.text));
    return entries;
}

int FindEntryLine(const std::string& cacheFolder, const std::string& name, std::string* line)
{
    auto bytes = ReadIndexFile(IndexPathOf(cacheFolder));
    if (!bytes)
        return -1;
    for (const IndexLine& candidate : ScanIndex(*bytes).body) {
        if (!candidate.IsEntry())
            continue;
        std::string stripped = StripLineBreaks(candidate.text);
        if (ValueOf(stripped) == name) {
            if (line)
                *line = std::move(stripped);
            return candidate.number;
        }
    }
    return -1;
}

}  // namespace thld
