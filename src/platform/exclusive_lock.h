#pragma once
// An exclusive lock that programs agree on through a file: one holder at a time, across processes
// (and between native programs and those under Wine, which lock the same byte range). The file is
// made by the holder and removed when it lets go; a program that ends without letting go leaves it,
// and the next holder takes it over.

#include <chrono>
#include <optional>
#include <string>

#include "platform/file_handle.h"

namespace thld {

class ExclusiveLock {
public:
    // Takes the lock on the file at `path`, trying again until `wait` has passed while another holder
    // has it; nothing when it was held all that time. A file left by a program that ended is taken
    // over: the system's lock decides, not the file's being there. FileError when the file can't be
    // opened or made, or is not one's own regular file (Link, NotRegularFile, OtherOwner).
    static std::optional<ExclusiveLock> Take(const std::string& path, std::chrono::milliseconds wait);

    ExclusiveLock(ExclusiveLock&&) noexcept = default;
    ExclusiveLock& operator=(ExclusiveLock&& other) noexcept;
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;
    // Removes the file and lets go of the lock.
    ~ExclusiveLock();

private:
    ExclusiveLock(FileHandle handle, std::string path) : handle_(std::move(handle)), path_(std::move(path)) {}
    // Opens or makes the file; an unopened handle when it is on its way out (try again).
    static FileHandle OpenLockFile(const std::string& path);
    // Tries once: true when the lock is now held, false while another holder has it.
    static bool TryLock(const FileHandle& handle, const std::string& path);
    // True when `path` still names the open file: a holder letting go removes it, and a lock on a
    // removed file locks nothing.
    static bool StillNamed(const FileHandle& handle, const std::string& path);
    void Release() noexcept;

    FileHandle handle_;
    std::string path_;
};

}  // namespace thld
