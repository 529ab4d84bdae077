#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "package/region_end.h"
#include "support/fake_cache.h"

namespace thld {
namespace {

const std::uint8_t* Bytes(const std::string& text) { return reinterpret_cast<const std::uint8_t*>(text.data()); }

// Bytes with stretches of 0xFF of every length around eight.
std::string RandomBytes(std::mt19937& random, std::size_t pieces)
{
    std::string bytes;
    for (std::size_t i = 0; i < pieces; ++i) {
        if (random() % 3 == 0)
            bytes += std::string(1 + random() % 9, '\xFF');
        else
            bytes += std::string(1 + random() % 6, static_cast<char>('a' + random() % 3));
    }
    return bytes;
}

// Cut into pieces of every small size, the bytes give the region that one look at all of them
// gives, also where the run straddles pieces or begins in the last bytes of an earlier one; the
// pieces' bytes in the region leave out at most the seven before the run.
TEST(RegionBounds, FindsTheRunWherePiecesCutIt)
{
    std::mt19937 random(99);
    RegionBounds bounds;
    for (int round = 0; round < 2000; ++round) {
        const std::string bytes = RandomBytes(random, random() % 12);
        const std::size_t expected = FindFfRun(Bytes(bytes), bytes.size());
        bounds.Start();
        std::size_t at = 0, fed = 0;
        RegionBounds::Step step;
        while (!step.ended) {
            std::size_t length = std::min<std::size_t>(random() % 10, bytes.size() - at);
            bool fileEnds = at + length == bytes.size() && random() % 2 == 0;
            if (at + length == bytes.size() && length == 0)
                fileEnds = true;  // a read at the end gives nothing
            step = bounds.Take(Bytes(bytes) + at, length, fileEnds);
            ASSERT_LE(step.inRegion, length);
            fed += step.inRegion;
            at += length;
            if (!step.ended) {
                ASSERT_EQ(step.inRegion, length) << "round " << round;
            }
        }
        ASSERT_EQ(step.regionLength, expected) << "round " << round << ": " << bytes;
        ASSERT_LE(step.regionLength, fed);
        ASSERT_LE(fed, step.regionLength + kFfRunLength - 1);
    }
}

// Reads after the first follow the package header's name table where there is one; a header
// that claims too much is capped, and a file without one, or small reads asked for, keep the
// plain read size. What the region is never depends on it.
TEST(RegionBounds, ReadSizesFollowTheNameTable)
{
    auto secondRead = [](RegionBounds& bounds, const std::string& head) {
        bounds.Start(false);
        bounds.Take(Bytes(head), head.size(), false);
        return bounds.NextReadSize();
    };
    const std::string filler(4096 - 20, '.');
    RegionBounds bounds;
    // 2,000 names of about 16 bytes from offset 64: the table ends near 32 KB.
    std::size_t guess = secondRead(bounds, test::PackageHeader(2000, 64) + filler);
    EXPECT_GT(4096 + guess, 64 + 2000 * 16u);
    EXPECT_LT(4096 + guess, 64 + 2000 * 18u);
    EXPECT_EQ(secondRead(bounds, test::PackageHeader(0xFFFFFFF0u, 64) + filler), 256u * 1024);
    EXPECT_EQ(secondRead(bounds, std::string(20, 'x') + filler), kRegionReadSize);
    EXPECT_EQ(secondRead(bounds, test::PackageHeader(100, 64) + filler), kRegionReadSize);  // ends in the head
    RegionBounds small(300);
    EXPECT_EQ(secondRead(small, test::PackageHeader(2000, 64) + filler), 300u);

    // After files whose tables took 30 bytes a name, the guess grows.
    for (int i = 0; i < 20; ++i) {
        std::string head = test::PackageHeader(1000, 64) + filler;
        bounds.Start();
        bounds.Take(Bytes(head), head.size(), false);
        std::string rest(64 + 1000 * 30 - head.size(), '.');
        rest += std::string(8, '\xFF');
        RegionBounds::Step step = bounds.Take(Bytes(rest), rest.size(), false);
        ASSERT_TRUE(step.ended);
        ASSERT_EQ(step.regionLength, 64 + 1000 * 30u);
    }
    guess = secondRead(bounds, test::PackageHeader(2000, 64) + filler);
    EXPECT_GT(4096 + guess, 64 + 2000 * 29u);
    // Script packages keep their own measure.
    std::string head = test::PackageHeader(2000, 64) + filler;
    bounds.Start(true);
    bounds.Take(Bytes(head), head.size(), false);
    EXPECT_LT(4096 + bounds.NextReadSize(), 64 + 2000 * 18u);
    // A guess that falls short is followed by small reads that grow.
    std::string guessed(bounds.NextReadSize(), '.');
    bounds.Take(Bytes(guessed), guessed.size(), false);
    EXPECT_EQ(bounds.NextReadSize(), 4096u);
    const std::string more(4096, '.');
    bounds.Take(Bytes(more), more.size(), false);
    EXPECT_EQ(bounds.NextReadSize(), 8192u);
}

// A file without a run (a sparse 16 GiB "map", say) is searched no further than kMostRegionBytes.
TEST(RegionBounds, ARegionEndsAtItsLimitWithoutARun)
{
    const std::string mebibyte(1 << 20, '\0');
    RegionBounds bounds;
    bounds.Start();
    RegionBounds::Step step;
    std::uint64_t fed = 0, pieces = 0;
    while (!step.ended && pieces < 200) {
        step = bounds.Take(Bytes(mebibyte), mebibyte.size(), false);
        fed += step.inRegion;
        ++pieces;
    }
    EXPECT_TRUE(step.ended);
    EXPECT_EQ(step.regionLength, kMostRegionBytes);
    EXPECT_EQ(fed, kMostRegionBytes);
}

}  // namespace
}  // namespace thld
