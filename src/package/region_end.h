#pragma once
// Where the scan region of a package file ends: at its first run of eight 0xFF bytes, at the end
// of the file, or after kMostRegionBytes, whichever comes first. The region is read in pieces, one after the other from
// the file's start; RegionBounds follows them, finds the run also where it straddles two pieces, and chooses the size
// of each read. Only the bytes of the run's search are kept between pieces (seven of them), so memory does not grow
// with the file.

#include <cstddef>
#include <cstdint>
#include <optional>

namespace thld {

// Regions of real maps and script packages are mostly 1 to 50 KB long.
inline constexpr std::size_t kRegionReadSize = 16 * 1024;
inline constexpr std::size_t kFfRunLength = 8;
// Where a region ends at the latest, run or not: far past any real package's name table.
inline constexpr std::uint64_t kMostRegionBytes = 64u << 20;

// The offset of the first run of eight 0xFF bytes lying wholly in bytes[0, length), or `length`
// when there is none.
std::size_t FindFfRun(const std::uint8_t* bytes, std::size_t length);

class RegionBounds {
public:
    // Reads after the first are `readSize` bytes long, unless the package header suggests more.
    explicit RegionBounds(std::size_t readSize = kRegionReadSize);

    std::size_t ReadSize() const { return readSize_; }

    // Begins a file. Maps and script packages keep apart what their name tables have taken so far
    // (the tables after a script package's names vary more).
    void Start(bool scriptPackage = false);

    struct Step {
        std::size_t inRegion = 0;        // how many of the piece's bytes lie in the region
        bool ended = false;              // the region ends within or right after the pieces so far
        std::uint64_t regionLength = 0;  // then: its length, which may leave out up to seven bytes
                                         // of the pieces before this one (a run that straddles)
    };
    // Follows the next piece: `length` bytes read from where the last piece ended (the first one
    // from the file's start); `fileEnds` tells that the read that gave them came short, at the
    // file's end.
    Step Take(const std::uint8_t* piece, std::size_t length, bool fileEnds);

    // How many bytes the next read should ask for.
    std::size_t NextReadSize() const { return nextReadSize_; }

private:
    struct NameTable {
        std::uint64_t count;
        std::uint64_t offset;
    };
    static std::optional<NameTable> NameTableOf(const std::uint8_t* bytes, std::size_t length);
    std::size_t SuggestedReadSize() const;
    void Learn(std::uint64_t regionLength);
    void End(Step& step, std::uint64_t regionLength);

    std::size_t readSize_;
    std::size_t nextReadSize_;
    std::uint64_t taken_ = 0;                   // bytes of the file taken so far
    std::uint8_t tail_[kFfRunLength - 1] = {};  // the last of them, which may begin a run
    std::size_t tailLength_ = 0;
    std::optional<NameTable> names_;                        // the header's name table, when there is a header
    bool guessed_ = false;                                  // a read was sized from it
    bool afterGuess_ = false;                               // and the reads after that one have begun
    std::size_t family_ = 0;                                // 0 for maps, 1 for script packages
    std::uint32_t bytesPerName16_[2] = {16 * 16, 16 * 16};  // region bytes per name so far, in 16ths
};

}  // namespace thld
