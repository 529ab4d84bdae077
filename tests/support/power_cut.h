#pragma once
// A fake power cut for the crash tests: a model of what a file system keeps when the power goes,
// kept from the disk steps the program takes (file_fault.h). A folder's entries (files made,
// renamed, removed in it; folders made in it) last only as of its last sync, and a file's bytes only
// as of its last flush; everything after is lost. Cut() lays the tree out as the disk would come
// back: each folder with its entries as last synced, each file with its bytes as last flushed
// (empty where they never were), and folders never synced into their parent gone.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_fault.h"

namespace thld::test {

class PowerCutModel {
public:
    // Takes everything below `root` (a folder ending in the separator) as on the disk already.
    explicit PowerCutModel(const std::string& root);

    // To be told each disk step before it is taken.
    void Before(DiskStep step, const std::string& path);

    // Lays the tree out as the disk would come back after a cut now.
    void Cut() const;

private:
    void TakeFolder(const std::string& folder);  // its entries, as synced now
    void TakeFile(const std::string& path);      // its bytes, as flushed now
    // Holds every file below the root open, so that no file removed meanwhile gives its number to a
    // new one: a file is known by its number (its device and inode) alone.
    void HoldFiles();

    using FileNumber = std::pair<std::uint64_t, std::uint64_t>;
    struct Entry {
        bool folder = false;
        FileNumber file;
    };
    std::string root_;
    std::map<std::string, std::map<std::string, Entry>> synced_;  // by folder (ending in '/'): by name
    std::map<FileNumber, std::string> flushed_;                   // by file: bytes
    std::map<FileNumber, int> held_;                              // by file: a descriptor kept open
};

}  // namespace thld::test
