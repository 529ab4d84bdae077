#include "cache/cache_listing.h"

#include <algorithm>
#include <deque>

#include "cache/cached_file.h"
#include "cache/index_encoding.h"
#include "cache/index_file.h"
#include "cache/index_scan.h"
#include "cache/index_text.h"
#include "cache/listing_recall.h"
#include "cache/size_text.h"
#include "package/name_patterns.h"

namespace thld {

namespace {

// The rows answered ahead of the folder's reading: more than a window shows at once.
constexpr std::size_t kRowsAhead = 256;

}  // namespace

Listing ListCacheIndex(const std::string& cacheFolder) { return ListCacheIndex(cacheFolder, kRegionReadSize); }

Listing ListCacheIndex(const std::string& cacheFolder, std::size_t regionReadSize, ProbeThreads threads,
                       const ListingProgress& progress, const ItemListed& listed, const MemoPlace* memo)
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
    // They are views into the text read, or into a line of `strippedLines` for the few lines that
    // hold a CR or LF of their own. Each entry's item is made at once, with its name and key; the
    // probe fills in the rest, and the items of files that are not there go at the end.
    std::vector<EntryText> entries;
    std::deque<std::string> strippedLines;
    std::vector<PackageItem>& items = listing.items;
    items.reserve(scan.body.size());
    for (const IndexLine& line : scan.body) {
        if (!line.IsEntry())
            continue;
        std::string_view text = line.text;
        if (text.find('\r') != std::string_view::npos || text.find('\n') != std::string_view::npos)
            text = strippedLines.emplace_back(StripLineBreaks(text));
        const EntryText& entry = entries.emplace_back(*SplitEntryText(text));
        PackageItem& item = items.emplace_back();
        item.name = index->NameOf(entry.value);
        item.entryNumber = line.entryNumber;
        item.key = index->NameOf(entry.key);
    }
    scan.body = {};
    // An empty key names no package: its kind is "Unknown", and its size that of ".uxx". Any other
    // key that is no plain file name is listed as "Unknown" without touching the disk. The names
    // are the items' keys, which stay where they are: `items` has its room already.
    FilesToProbe files{cacheFolder, kCachedFileExtension, {}};
    files.files.reserve(items.size());
    for (const PackageItem& item : items)
        files.files.push_back({item.key, !item.key.empty(), item.key.empty() || IsPlainFileName(item.key)});

    // Each answer is told in file order, the memo's between the probe's.
    struct Stopped {};
    std::size_t taken = 0;
    auto told = [&](std::size_t e) {
        if (progress && progress(e + 1, files.size()) == ListingStep::Stop)
            throw Stopped{};
        taken = e + 1;
        const PackageItem& item = items[e];
        if (item.kind == kind::NotAvailable)
            return;
        listing.total += item.size;
        if (listed)
            listed(item);
    };
    auto tellRememberedUpTo = [&](std::size_t end) {
        for (std::size_t e = taken; e < end; ++e)
            told(e);
    };

    // The files the memo answers for, as the folder shows them now, are not opened; the others are.
    ListingRecall recall(files, memo);
    FilesToProbe toProbe{cacheFolder, kCachedFileExtension, {}};
    std::vector<std::size_t> probed;  // toProbe.files[j] is files[probed[j]]

    // Every package name that the requirements pass could look for is known before any cached
    // file is searched: the searched files are searched for all of them through the listing's own
    // open, and the pass keeps those of the packages that can be required.
    NamePatterns patterns;
    std::vector<std::string> patternNames;
    auto makePatterns = [&]() -> const NamePatterns& {
        patterns.Reserve(entries.size());
        patternNames.reserve(entries.size());
        for (const EntryText& entry : entries) {
            std::string name = PackageNameOf(entry.value);
            name.resize(std::min(name.size(), kMaxPatternNameLength));
            std::size_t number = patterns.Add(name);
            if (number == patternNames.size())
                patternNames.push_back(std::move(name));
        }
        return patterns;
    };
    // One open of each other cached file tells its kind and size, and reads its tables (or searches
    // a map or script package whose tables can't be read). A stop asked for by the progress
    // callback unwinds the probe as this exception, which ends here.
    try {
        // Where rows are shown as they come, the first ones the memo answers for are shown before
        // the whole folder is read, each file's stamp asked for on its own.
        if (listed)
            for (std::size_t e = 0; e < std::min(files.size(), kRowsAhead) && recall.AnswerAhead(e, items[e]); ++e)
                told(e);
        recall.ReadFolder();
        for (std::size_t e = 0; e < files.size(); ++e) {
            if (recall.Answer(e, items[e]))
                continue;
            probed.push_back(e);
            toProbe.files.push_back(files[e]);
        }
        if (!toProbe.files.empty())
            ProbeFiles(
                toProbe, regionReadSize, makePatterns,
                [&](std::size_t j, FileProbe&& probe) {
                    const std::size_t e = probed[j];
                    tellRememberedUpTo(e);
                    if (probe.notRegularFile)
                        listing.notRegularFiles.push_back(files.PathOf(e));
                    PackageItem& item = items[e];
                    item.kind = probe.kind;
                    if (probe.kind != kind::NotAvailable) {
                        item.size = probe.length.value_or(0);
                        item.modified = probe.modified;
                        item.sizeText = probe.length ? SizeTextOf(*probe.length) : "0";
                        item.summary = std::move(probe.summary);
                        if (probe.found) {
                            item.namesInRegion.emplace();
                            item.namesInRegion->reserve(probe.found->size());
                            for (std::size_t number : *probe.found)
                                item.namesInRegion->push_back(patternNames[number]);
                        }
                        recall.Read(e, item);
                    }
                    told(e);
                },
                threads);
        // Every item is answered: the memo is kept, and let go of, before the last rows are told.
        recall.Keep(items);
        tellRememberedUpTo(files.size());
    } catch (const Stopped&) {
        listing.outcome = Listing::Outcome::Stopped;
    }
    items.resize(taken);
    std::erase_if(items, [](const PackageItem& item) { return item.kind == kind::NotAvailable; });
    return listing;
}

}  // namespace thld
