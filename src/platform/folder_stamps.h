#pragma once
// Every regular file of a folder with what tells one state of it from another, from one reading of
// the folder and without opening any file: what lets a start skip the files it has read before.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/name_index.h"

namespace thld {

struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t written = 0;  // last written, in nanoseconds since 1970 (as finely as the system keeps it)
    std::int64_t changed = 0;  // last changed in any way (POSIX's status change: no program can set it); 0 where none
    std::uint64_t id = 0;      // the file's number on its volume; 0 where the listing gives none (Windows)
    std::uint64_t volume = 0;  // the volume's number; 0 where none
    bool regular = true;       // a regular file (false: a link, a folder, a FIFO, a device, a socket)
    bool operator==(const FileStamp&) const = default;
};

// The stamp of one entry of a folder, asked for on its own, as FolderStamps::Read would give it:
// what lets a start show its first rows before the whole folder is read. Nothing when the folder
// holds no entry of that name (or the name is no plain file name).
std::optional<FileStamp> ReadFileStamp(const std::string& folder, const std::string& name);

class FolderStamps {
public:
    // Its index holds the stamps' own place: they stay where they were made.
    FolderStamps(const FolderStamps&) = delete;
    FolderStamps& operator=(const FolderStamps&) = delete;

    // Reads the folder: on POSIX one read of its entries and a status of each, without following
    // links; on Windows one enumeration, which gives sizes and times with the names. Entries that
    // are no regular files are kept, marked so, without a stamp. Nothing when the folder can't be
    // read.
    static std::unique_ptr<FolderStamps> Read(const std::string& folder);

    // The stamp of the entry of that name; nothing when the folder holds none. Names compare as the
    // system's file names do: exactly on POSIX, without regard to ASCII case on Windows.
    const FileStamp* Find(std::string_view name) const;
    std::size_t size() const { return entries_.size(); }

private:
    FolderStamps();
    struct Entry {
        std::uint32_t offset = 0;  // of the name in names_
        std::uint32_t length = 0;
        FileStamp stamp;
    };
    void Add(std::string_view name, const FileStamp& stamp);
    // Makes the index of the names, once every name is in.
    void Index();
    std::string_view NameOf(const Entry& entry) const { return {names_.data() + entry.offset, entry.length}; }

    std::vector<char> names_;
    std::vector<Entry> entries_;
    NameIndex index_;
};

}  // namespace thld
