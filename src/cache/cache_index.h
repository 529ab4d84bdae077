#pragma once
// Reading cache.ini: the listing of the cache, and the lookups of entry lines. All of them read the
// file whole with one unshared open and cut it into lines and an index as index_scan.h describes; a
// read that fails after the open raises FileError.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cache/package_item.h"
#include "package/cached_file_probe.h"

namespace thld {

inline constexpr const char* kIndexFileName = "cache.ini";
inline constexpr const char* kBackupFileName = "cache.bak";

struct Listing {
    enum class Outcome {
        Listed,      // the file was read (perhaps without a header or any entry)
        Empty,       // the file holds no line at all (a byte-order mark alone is none)
        Unreadable,  // the file could not be opened
    };
    Outcome outcome = Outcome::Listed;
    std::string indexPath;            // cacheFolder + "cache.ini"
    std::vector<PackageItem> items;   // in file order; none for "File Not Available"
    std::uint64_t total = 0;          // bytes of the listed items' files, in 64 bits

    // "Total Cache: <total / 1024>k bytes"
    std::string TotalText() const;
};

// The listing: a package item for every entry line of the index whose kind is not "File Not
// Available", with its kind and size taken through one open of its cached file.
// The files of "Map" and "Script" items are searched on the way for the package names of all
// entries (see PackageItem::namesInRegion), in reads of `regionReadSize` bytes (tests choose tiny
// ones); the search runs beside the reading where there is a second core (`threads`).
Listing ListCacheIndex(const std::string& cacheFolder);
Listing ListCacheIndex(const std::string& cacheFolder, std::size_t regionReadSize,
                       ProbeThreads threads = ProbeThreads::Auto);

// The lookup by entry number: the stripped entry line whose entry number is n - 1 (n >= 1), or the
// one-character text of code 1 when there is none. `unreadable` is set when cache.ini could not be
// opened (the caller then says "Error reading file " + path).
std::string ReadCacheIndex(const std::string& cacheFolder, int n, bool* unreadable = nullptr);

// Every entry line of the index in one reading, for passes that need many lookups: the stripped
// entry line of entry number n is lines[n - firstEntryNumber] (the same answer ReadCacheIndex gives
// for n + 1).
struct IndexEntries {
    bool unreadable = false;
    int firstEntryNumber = 0;
    std::vector<std::string> lines;
};
IndexEntries ReadIndexEntries(const std::string& cacheFolder);

// The line number (from 0, every line counting) of the first entry line of the index whose value
// equals `name` exactly, or -1 (also when cache.ini can't be opened); `line`, when given and a line
// is found, receives the stripped line and is left as it was otherwise. Lines outside the index
// never match, so every package that the listing shows is found, an empty name too.
int FindEntryLine(const std::string& cacheFolder, const std::string& name, std::string* line = nullptr);

struct SizeText {
    std::string text;         // "<bytes / 1024>k bytes", or "0" when the file can't be opened
    std::uint64_t bytes = 0;
};
SizeText GetSizeText(const std::string& cacheFolder, const std::string& key);
// The size text for a known byte count.
std::string SizeTextOf(std::uint64_t bytes);

}  // namespace thld
