#pragma once
// The owner of one open file of the system (a descriptor on POSIX systems, a HANDLE on Windows):
// it closes the file when it goes, and moves but never copies. InputFile and OutputFile keep theirs
// in one.

#include <cstdint>
#include <utility>

namespace thld {

class FileHandle {
public:
    // What no open file is: -1 is both an invalid descriptor and INVALID_HANDLE_VALUE.
    static constexpr std::intptr_t kNone = -1;

    FileHandle() = default;
    explicit FileHandle(std::intptr_t native) : native_(native) {}
    FileHandle(FileHandle&& other) noexcept : native_(std::exchange(other.native_, kNone)) {}
    FileHandle& operator=(FileHandle&& other) noexcept
    {
        if (this != &other) {
            Close();
            native_ = std::exchange(other.native_, kNone);
        }
        return *this;
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }

    bool IsOpen() const { return native_ != kNone; }
    std::intptr_t Native() const { return native_; }

    // Closes the file (when open) and gives the system's error code of a failed close, or 0.
    unsigned long Close() noexcept;

private:
    std::intptr_t native_ = kNone;
};

}  // namespace thld
