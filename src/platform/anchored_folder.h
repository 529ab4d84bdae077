#pragma once
// A folder held open while the files of one step are looked at, moved and removed in it by their
// plain names: every call works relative to the folder held, so that nothing renamed on the way to
// it meanwhile leads elsewhere, and never follows a link at the name (a link there is an entry of
// its own, which no call here moves, removes or reads through). Every disk step asks the test hook
// of file_fault.h first, as those of file.h do.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/file_handle.h"

namespace thld {

class AnchoredFolder {
public:
    // Opens the folder at `folder` (a canonical folder, canonical_folder.h, ending in the separator);
    // FileError when it can't be, or is a link itself.
    static AnchoredFolder Open(const std::string& folder);

    enum class Entry {
        None,   // nothing of that name
        File,   // a regular file
        Other,  // a link, a folder, a device, a FIFO or a socket: never acted on
    };
    Entry At(const std::string& name) const;
    // The length of the regular file `name`; nothing for anything else.
    std::optional<std::uint64_t> FileLength(const std::string& name) const;
    // Removes the regular file `name`; FileError for anything else (NotRegularFile) or when refused.
    void Remove(const std::string& name) const;
    // Moves the regular file `name` to `toName` in `to` (which may be this folder), never replacing
    // what is there; FileError naming this file when refused, or when it is no regular file.
    void MoveNoReplace(const std::string& name, const AnchoredFolder& to, const std::string& toName) const;
    // Hands the folder's changes to the disk (a fault step, as file.h's writes are).
    void Sync() const;

    // The folder's path, ending in the separator; PathOf(name) the path of one of its files.
    const std::string& Path() const { return path_; }
    std::string PathOf(const std::string& name) const { return path_ + name; }

private:
    AnchoredFolder(FileHandle handle, std::string path) : handle_(std::move(handle)), path_(std::move(path)) {}
    FileHandle handle_;  // unopened on Windows, where each call checks the name for a reparse point
    std::string path_;
};

}  // namespace thld
