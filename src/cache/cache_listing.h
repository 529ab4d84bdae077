#pragma once
// The listing of the cache: a package item for every usable entry of cache.ini, with the kind and
// the size of its cached file, in file order.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cache/listing_recall.h"
#include "cache/package_item.h"
#include "package/file_probe.h"
#include "platform/path_stamp.h"

namespace thld {

struct Listing {
    enum class Outcome {
        Listed,      // the file was read (perhaps without a header or any entry)
        Empty,       // the file holds no line at all (a byte-order mark alone is none)
        Unreadable,  // cache.ini could not be opened
        Stopped,     // the progress callback asked to stop: `items` holds those listed by then
    };
    Outcome outcome = Outcome::Listed;
    std::string indexPath;  // cacheFolder + "cache.ini"
    // cache.ini as it stood before it was read: a command tells by it that the file has changed since.
    std::optional<PathStamp> indexStamp;
    std::vector<PackageItem> items;  // in file order; none for "File Not Available"
    std::uint64_t total = 0;         // bytes of the listed items' files, in 64 bits
    // The cached files passed over because they are no regular files (a FIFO, a device, a folder),
    // in file order: nothing of them was read.
    std::vector<std::string> notRegularFiles;
};

// What a progress callback answers: go on, or stop the listing where it is.
enum class ListingStep {
    Continue,
    Stop,
};

// Told, on the calling thread, how many of the index's entries have been looked at and how many
// there are, after each one. When it answers Stop, ListCacheIndex returns (outcome Stopped) once
// every file is closed and the reading thread has ended.
using ListingProgress = std::function<ListingStep(std::size_t done, std::size_t total)>;

// Told, on the calling thread, of each item as it is added to the listing (after the progress of
// its entry).
using ItemListed = std::function<void(const PackageItem& item)>;

// A package item for every entry line of the index whose kind is not "File Not Available", with its
// kind and size taken through one open of its cached file; an item whose key is no plain file name
// (IsPlainFileName) is "Unknown", of size 0, and nothing is opened for it. The files of "Map" and "Script" items
// are searched on the way for the package names of all entries (see PackageItem::namesInRegion), in
// reads of `regionReadSize` bytes (tests choose tiny ones); the search runs beside the reading where
// there is a second core (`threads`). cache.ini is read whole with one unshared open; a read that
// fails after an open raises FileError. `listed` is told of each item as it is added. With `memo`,
// the files the memo holds in their present state are answered from it unopened (listing_recall.h),
// and the memo is written anew once the listing has ended, where it has learnt something.
Listing ListCacheIndex(const std::string& cacheFolder);
Listing ListCacheIndex(const std::string& cacheFolder, std::size_t regionReadSize,
                       ProbeThreads threads = ProbeThreads::Auto, const ListingProgress& progress = {},
                       const ItemListed& listed = {}, const MemoPlace* memo = nullptr);

}  // namespace thld
