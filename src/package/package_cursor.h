#pragma once
// Reading a package file one value at a time, never past its end: the bytes of a file (as long as
// it was when opened, read in windows of 64 KiB) or of memory, with little-endian numbers and the
// package format's compact indexes. A value that would run past the end raises
// PackageCursor::PastTheEnd; a failed read of the file raises FileError.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file.h"

namespace thld {

class PackageCursor {
public:
    struct PastTheEnd {};

    explicit PackageCursor(std::string_view bytes);
    explicit PackageCursor(const InputFile& file);

    std::uint64_t Size() const { return size_; }
    std::uint64_t Offset() const { return offset_; }
    // Goes to an offset within the file (the end included); PastTheEnd beyond it.
    void Seek(std::uint64_t offset);

    std::uint8_t Byte();
    std::uint16_t Uint16();
    std::uint32_t Uint32();
    std::int32_t Int32() { return static_cast<std::int32_t>(Uint32()); }
    // A compact index: the first byte holds the sign (bit 7), "more" (bit 6) and six value bits,
    // each further byte "more" (bit 7) and seven value bits, five bytes at most. Nothing when the
    // fifth byte asks for more or the value does not fit in 32 bits.
    std::optional<std::int32_t> CompactIndex();

private:
    // Makes the `count` bytes at offset_ lie in the window; PastTheEnd when the file ends before.
    const std::uint8_t* Take(std::size_t count);

    const InputFile* file_ = nullptr;
    std::string_view memory_;
    std::string window_;  // a file's bytes from windowStart_ on
    std::uint64_t windowStart_ = 0;
    std::uint64_t size_ = 0;
    std::uint64_t offset_ = 0;
};

}  // namespace thld
