#pragma once
// An exclusive lock that programs agree on through a file: one holder at a time, across processes
// (and between native programs and those under Wine, which lock the same byte range). The file is
// made when missing and left in place when the lock goes, so that every holder locks the same file.

#include <chrono>
#include <optional>
#include <string>

#include "platform/file_handle.h"

namespace thld {

class ExclusiveLock {
public:
    // Takes the lock on the file at `path`, trying again until `wait` has passed while another holder
    // has it; nothing when it was held all that time. FileError when the file can't be opened or made.
    static std::optional<ExclusiveLock> Take(const std::string& path, std::chrono::milliseconds wait);

    ExclusiveLock(ExclusiveLock&&) noexcept = default;
    ExclusiveLock& operator=(ExclusiveLock&&) noexcept = default;
    // Lets go of the lock (closing the file does).
    ~ExclusiveLock() = default;

private:
    explicit ExclusiveLock(FileHandle handle) : handle_(std::move(handle)) {}
    // Tries once: true when the lock is now held, false while another holder has it.
    static bool TryLock(const FileHandle& handle, const std::string& path);
    static FileHandle OpenLockFile(const std::string& path);

    FileHandle handle_;
};

}  // namespace thld
