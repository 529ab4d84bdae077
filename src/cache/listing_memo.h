#pragma once
// A memo of what the listing read of each cached file (its kind and its tables' summary), kept per
// user outside the game, so that a start reads only the files that are new or changed: the game
// names each cached file by its package's GUID, and a new version arrives under a new name.
//
// An entry holds only while the file is in exactly the state it was read in: the same name, size,
// time of last writing, and where the system tells them, time of last change and file number; any
// difference, a file replaced, a cache folder copied elsewhere, a clock set back, reads the file
// afresh. The memo file is untrusted input like any other: versioned, checksummed, bounded, and
// read only as a regular file that is no link; one that is damaged, foreign, of another format or
// of another cache folder is passed over and written anew. Deleting it is always safe.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "package/package_kind.h"
#include "package/package_summary.h"
#include "platform/folder_stamps.h"
#include "platform/name_index.h"

namespace thld {

inline constexpr std::uint32_t kMemoFormat = 1;
// The most bytes a memo may hold: some twenty times one of 100,000 packages.
inline constexpr std::uint64_t kMostMemoBytes = 256u << 20;

// What the memo tells of one file.
struct MemoEntry {
    PackageKind kind;
    PackageSummary summary;
};

class ListingMemo {
public:
    // The memo in `bytes` when they are one whole memo of format kMemoFormat of the cache folder
    // `cacheFolder` (its canonical path); nothing otherwise.
    static std::unique_ptr<ListingMemo> Decode(std::string bytes, std::string_view cacheFolder);

    // What the memo holds of the file `name` when it was read in the state `stamp`; nothing when
    // it holds no such file, or one in another state.
    std::optional<MemoEntry> Find(std::string_view name, const FileStamp& stamp) const;
    std::size_t size() const { return entries_.size(); }

    // Its index holds the memo's own place: it stays where it was made.
    ListingMemo(const ListingMemo&) = delete;
    ListingMemo& operator=(const ListingMemo&) = delete;

private:
    ListingMemo();
    std::string bytes_;
    std::vector<std::string_view> names_;  // the names the entries' imports take by number, in bytes_
    NameIndex entries_;                    // the entries' file names, by their offsets in bytes_
};

// Makes the bytes of a memo, one file at a time.
class MemoWriter {
public:
    explicit MemoWriter(std::string_view cacheFolder);
    // A file whose name or an import's is longer than 255 bytes, or that imports more than 65,535
    // packages, is left out (read again next time).
    void Add(std::string_view name, const FileStamp& stamp, PackageKind kind, const PackageSummary& summary);
    std::string Finish();

private:
    std::string folder_;
    std::string entries_;
    std::uint32_t count_ = 0;
    std::vector<std::string> names_;  // the imports' names, each once, by number
    NameIndex numbers_;               // numbers of names_
};

// Where the memo of a cache folder (its canonical path) is kept: in `memoFolder`, named by a hash
// of the path.
std::string MemoPathOf(const std::string& memoFolder, const std::string& cacheFolder);

// The memo at `path` for `cacheFolder`; nothing when there is none or it is not one whole memo of
// that folder (never an error).
std::unique_ptr<ListingMemo> LoadMemo(const std::string& path, const std::string& cacheFolder);

// Writes the memo at `path` in one step: a reader sees the old memo or the new one, and two
// programs writing at once leave one of theirs. Makes the memo's folder (and its parent) where
// they are missing. False when it could not be written; nothing else happens then.
bool SaveMemo(const std::string& path, const std::string& bytes);

}  // namespace thld
