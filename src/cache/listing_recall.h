#pragma once
// The listing's use of its memo (listing_memo.h): before any file is opened, the cache folder is
// read once for every file's stamp (the first few files may be answered ahead, each from its own); a file the memo
// holds in that very state is answered from the memo and not opened; once the listing has ended, the memo is written
// anew from what was answered and what was read, where that differs from what it held. Files searched by name (a map or
// script package whose tables can't be read) are read each time: their answer depends on every name of cache.ini.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cache/listing_memo.h"
#include "cache/package_item.h"
#include "package/file_probe.h"
#include "platform/folder_stamps.h"

namespace thld {

// Where a listing's memo is: the memo file, and the canonical path of the cache folder it is of.
struct MemoPlace {
    std::string path;
    std::string cacheFolder;
    // False where the listing wants no file's contents: a file the memo doesn't answer for is not
    // opened either, its kind "Unknown", its size and time the folder's.
    bool contentsWanted = true;
};

class ListingRecall {
public:
    // Reads the memo. Without a place, nothing is answered or kept.
    ListingRecall(const FilesToProbe& files, const MemoPlace* place);

    // Before the folder is read: fills in items[e] as Answer would when the memo holds files[e] in
    // the state the system shows for that one file; true then. What lets the first rows show at
    // once; Answer checks the answer again against the folder.
    bool AnswerAhead(std::size_t e, PackageItem& item);
    // Reads the cache folder for every file's stamp. Where it can't be read, nothing more is
    // answered and nothing is kept.
    void ReadFolder();
    // Fills in items[e]'s kind, size, time and summary when the memo holds files[e] in the state the
    // folder shows, or makes it "File Not Available" when the folder holds nothing of its name; true
    // then, and for an item answered ahead (which the memo keeps only when the folder shows the
    // file in the state it was answered for).
    bool Answer(std::size_t e, PackageItem& item);
    // The listing read files[e] itself, as `item` now tells.
    void Read(std::size_t e, const PackageItem& item);
    // Writes the memo of the items answered and read (items[e] for files[e]), where it changed, and
    // lets go of the memo and the folder's stamps: nothing is answered after it. Never raises: a
    // memo that can't be written is simply not there next time.
    void Keep(const std::vector<PackageItem>& items);

private:
    enum class Known : std::uint8_t {
        No,
        Remembered,
        Read,
        AnsweredAhead,  // from the file's own stamp, kept in ahead_
    };
    const FileStamp* StampOf(std::size_t e);
    // Fills in the item from the memo's entry for the file in that state; or, where no contents are
    // wanted, from the stamp alone.
    bool AnswerFor(std::size_t e, const FileStamp& stamp, PackageItem& item);

    const FilesToProbe& files_;
    const MemoPlace* place_;
    std::unique_ptr<FolderStamps> stamps_;
    std::unique_ptr<ListingMemo> memo_;
    std::vector<Known> known_;                              // of files[e]
    std::vector<std::pair<std::size_t, FileStamp>> ahead_;  // the stamps the answers ahead were for
    std::size_t read_ = 0;                                  // files read that the memo may keep
    std::string name_;                                      // scratch
};

}  // namespace thld
