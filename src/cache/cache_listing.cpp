#include "cache/cache_listing.h"

#include <algorithm>

#include "cache/cached_file.h"
#include "cache/index_encoding.h"
#include "cache/index_file.h"
#include "cache/index_scan.h"
#include "cache/index_text.h"
#include "cache/size_text.h"
#include "package/name_patterns.h"

namespace thld {

Listing ListCacheIndex(const std::string& cacheFolder) { return ListCacheIndex(cacheFolder, kRegionReadSize); }

Listing ListCacheIndex(const std::string& cacheFolder, std::size_t regionReadSize, ProbeThreads threads,
                       const ListingProgress& progress, const ItemListed& listed)
{
    Listing listing;
    listing.indexPath = IndexPathOf(cacheFolder);
    listing.indexStamp = StampOf(listing.indexPath);
    auto index = ReadIndexText(listing.indexPath);
    if (!index) {
        listing.outcome = Listing::Outcome::Unreadable;
        return listing;
    }
    IndexScan scan = ScanIndex(index->text);
    if (!scan.anyLine) {
        listing.outcome = Listing::Outcome::Empty;
        return listing;
    }
    // The entries as the file holds them: the names looked for in the packages are its own bytes.
    std::vector<CacheEntry> entries;
    std::vector<int> entryNumbers;
    std::vector<FileToProbe> files;
    for (const IndexLine& line : scan.body) {
        if (!line.IsEntry())
            continue;
        entries.push_back(*SplitEntryLine(StripLineBreaks(line.text)));
        entryNumbers.push_back(line.entryNumber);
        // An empty key names no package: its kind is "Unknown", and its size that of ".uxx". Any
        // other key that is no plain file name is listed as "Unknown" without touching the disk.
        const std::string key = index->NameOf(entries.back().key);
        files.push_back({CachedFilePath(cacheFolder, key), !key.empty(), key.empty() || IsPlainFileName(key)});
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
    // A stop asked for by the progress callback unwinds the probe as this exception, which ends here.
    struct Stopped {};
    try {
        ProbeFiles(
            files, regionReadSize, makePatterns,
            [&](std::size_t e, FileProbe&& probe) {
                if (progress && progress(e + 1, files.size()) == ListingStep::Stop)
                    throw Stopped{};
                if (probe.notRegularFile)
                    listing.notRegularFiles.push_back(files[e].path);
                if (probe.kind == kind::NotAvailable)
                    return;
                CacheEntry& entry = entries[e];
                PackageItem item;
                item.name = index->NameOf(entry.value);
                item.entryNumber = entryNumbers[e];
                item.key = index->NameOf(entry.key);
                item.kind = probe.kind;
                item.size = probe.length.value_or(0);
                item.modified = probe.modified;
                item.sizeText = probe.length ? SizeTextOf(*probe.length) : "0";
                if (probe.found) {
                    item.namesInRegion.emplace();
                    item.namesInRegion->reserve(probe.found->size());
                    for (std::size_t number : *probe.found)
                        item.namesInRegion->push_back(patternNames[number]);
                }
                listing.total += item.size;
                listing.items.push_back(std::move(item));
                if (listed)
                    listed(listing.items.back());
            },
            threads);
    } catch (const Stopped&) {
        listing.outcome = Listing::Outcome::Stopped;
    }
    return listing;
}

}  // namespace thld
