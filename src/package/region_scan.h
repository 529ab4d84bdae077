#pragma once
// One pass over the scan region of a package file: the bytes from its start up to its first run
// of eight 0xFF bytes (the whole file when it has none). The region is read once, in large reads,
// and every name pattern in it is found on the way; only the last bytes of one read are kept for
// the next, so memory does not grow with the file.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "package/name_patterns.h"
#include "platform/file.h"

namespace thld {

// Regions of real maps and script packages are mostly 1 to 50 KB long: reads of 16 KiB read
// little past their end, and few of them are needed.
inline constexpr std::size_t kRegionReadSize = 16 * 1024;
inline constexpr std::size_t kFfRunLength = 8;

// The offset of the first run of eight 0xFF bytes lying wholly in bytes[0, length), or `length`
// when there is none.
std::size_t FindFfRun(const std::uint8_t* bytes, std::size_t length);

class RegionScanner {
public:
    explicit RegionScanner(const NamePatterns& patterns, std::size_t readSize = kRegionReadSize);

    std::size_t ReadSize() const { return readSize_; }

    // The numbers of the patterns that occur in the file's region, each once, in the order found.
    // A pattern counts where it starts at 0 .. F - P - 1 (F the region's length, P the pattern's):
    // one whose last byte would be the region's last byte does not. Read failures raise FileError.
    const std::vector<std::size_t>& Scan(const InputFile& file) { return Scan(file, nullptr, 0, false); }
    // The same, when the file's first `length` bytes have been read already into `head` (the
    // listing's window); `fileEnds` tells that the read that gave them found the end of the file.
    const std::vector<std::size_t>& Scan(const InputFile& file, const std::uint8_t* head, std::size_t length,
                                         bool fileEnds);

private:
    // Looks at the start positions from .. to - 1 of the buffer for patterns ending by `limit`.
    void Search(std::size_t from, std::size_t to, std::size_t limit);
    void Note(std::size_t pattern);

    const NamePatterns& patterns_;
    std::size_t readSize_;
    std::vector<std::uint8_t> buffer_;
    std::vector<std::uint32_t> lastScanOf_;  // per pattern: the scan that found it last
    std::uint32_t scan_ = 0;
    std::vector<std::size_t> found_;
};

}  // namespace thld
