#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "package/buffer_contains.h"
#include "package/byte_pair_sieve.h"
#include "package/name_patterns.h"
#include "package/region_scan.h"
#include "platform/file.h"
#include "support/fake_cache.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

using test::LengthPrefixed;

std::size_t RunIn(const std::string& bytes)
{
    return FindFfRun(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

TEST(FindFfRun, FindsTheFirstRunOfEightWhereverItStarts)
{
    const std::string run(8, '\xFF');
    EXPECT_EQ(RunIn(""), 0u);
    EXPECT_EQ(RunIn(run), 0u);
    EXPECT_EQ(RunIn(run.substr(1)), 7u);  // seven are no run
    EXPECT_EQ(RunIn("ab" + run.substr(1) + "c"), 10u);
    for (std::size_t at = 0; at < 40; ++at) {
        std::string bytes(at, 'x');
        bytes += std::string(7, '\xFF') + "y" + run + "z" + run;
        EXPECT_EQ(RunIn(bytes), at + 8) << at;
        EXPECT_EQ(RunIn(std::string(at, '\xFF') + "y" + run), at >= 8 ? 0u : at + 1) << at;
    }
    EXPECT_EQ(RunIn(std::string(20, '\xFF')), 0u);
    EXPECT_EQ(RunIn("a" + std::string(20, '\xFF')), 1u);
}

TEST(ForEachCandidate, GivesThePositionsWhoseTwoBytesFallInTheRanges)
{
    std::mt19937 random(7);
    std::vector<std::uint8_t> bytes(1000 + 17);
    for (int round = 0; round < 200; ++round) {
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(round % 2 ? random() % 256 : random() % 8 + 250);
        auto a = static_cast<std::uint8_t>(random() % 256), b = static_cast<std::uint8_t>(random() % 256);
        auto c = static_cast<std::uint8_t>(random() % 256), d = static_cast<std::uint8_t>(random() % 256);
        ByteRange first{std::min(a, b), std::max(a, b)}, second{std::min(c, d), std::max(c, d)};
        if (round % 5 == 0)
            second = {0, 255};
        std::size_t from = random() % 40, to = from + random() % 960;
        std::vector<std::size_t> expected, got;
        for (std::size_t p = from; p < to; ++p)
            if (bytes[p] >= first.low && bytes[p] <= first.high && bytes[p + 1] >= second.low &&
                bytes[p + 1] <= second.high)
                expected.push_back(p);
        ForEachCandidate(bytes.data(), from, to, first, second, [&](std::size_t p) { got.push_back(p); });
        ASSERT_EQ(got, expected) << "round " << round;
        // The sieve that processors without AVX2 use gives the same.
        std::uint32_t offsets[detail::kCandidateWindow + 64];
        std::size_t count = detail::CollectCandidatesNarrow(bytes.data(), from, to, first, second, offsets);
        got.clear();
        for (std::size_t i = 0; i < count; ++i)
            got.push_back(from + offsets[i]);
        ASSERT_EQ(got, expected) << "round " << round << ", without AVX2";
    }
}

TEST(NamePatterns, EqualNamesShareANumberAndLongNamesAreCut)
{
    NamePatterns patterns;
    EXPECT_EQ(patterns.Add("Core"), 0u);
    EXPECT_EQ(patterns.Add("Cor"), 1u);
    EXPECT_EQ(patterns.Add("Core"), 0u);
    EXPECT_EQ(patterns.Add(std::string_view("a\0b", 3)), NamePatterns::kNone);
    EXPECT_EQ(patterns.Add(""), 2u);
    const std::string longName(300, 'L');
    EXPECT_EQ(patterns.Add(longName), 3u);
    EXPECT_EQ(patterns.Add(longName.substr(0, 254)), 3u);
    EXPECT_EQ(patterns.Count(), 4u);
    EXPECT_EQ(patterns.LongestPattern(), 255u);

    auto find = [&](const std::string& bytes) {
        return patterns.Find(reinterpret_cast<const std::uint8_t*>(bytes.data()));
    };
    EXPECT_EQ(find(LengthPrefixed("Core")), 0u);
    EXPECT_EQ(find(LengthPrefixed("Cor") + "e"), 1u);
    EXPECT_EQ(find(LengthPrefixed("core")), NamePatterns::kNone);
    EXPECT_EQ(find(LengthPrefixed("") + "x"), 2u);
    EXPECT_EQ(find(LengthPrefixed(longName.substr(0, 254))), 3u);
}

// The patterns found by the scanner equal those BufferContains finds in the region, for random
// files full of patterns, near-patterns and 0xFF runs, with reads of every small size; some
// files are long and start with a package header, whose name table (told right or wrong) sizes
// the large reads.
TEST(RegionScanner, FindsWhatASearchOfTheWholeRegionFinds)
{
    test::TempFolder folder;
    std::mt19937 random(20240601);
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    const std::vector<std::string> pool{"A",
                                        "AB",
                                        "ABC",
                                        "BC",
                                        "C",
                                        "",
                                        "Core",
                                        "ore",
                                        "Cor",
                                        "\xFF\xFF",
                                        std::string(254, 'x'),
                                        std::string(253, 'x')};
    const std::string path = folder / "package.uxx";
    for (int round = 0; round < 300; ++round) {
        NamePatterns patterns;
        std::vector<std::string> names;
        for (const std::string& name : pool)
            if (pick(3) != 0 && patterns.Add(name) == names.size())
                names.push_back(name);
        std::string bytes;
        const bool longFile = round % 4 == 3;
        if (longFile)
            bytes = test::PackageHeader(static_cast<std::uint32_t>(pick(2) ? 200 + pick(4000) : random()), 64);
        std::size_t pieces = longFile ? 200 + pick(2000) : pick(40);
        for (std::size_t i = 0; i < pieces; ++i) {
            if (longFile && pick(4) == 0) {
                bytes += std::string(pick(100), static_cast<char>('a' + pick(3)));
                continue;
            }
            switch (pick(6)) {
            case 0:
                bytes += LengthPrefixed(pool[pick(pool.size())]);
                break;
            case 1:
                bytes += std::string(longFile && pick(40) != 0 ? 7 : 7 + pick(2), '\xFF');
                break;
            case 2:
                bytes += pool[pick(pool.size())];
                break;
            case 3:
                bytes += std::string(1, static_cast<char>(pick(256)));
                break;
            default:
                bytes += std::string(pick(12), static_cast<char>('a' + pick(3)));
                break;
            }
        }
        test::WriteFileBytes(path, bytes);
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
        std::size_t region = FindFfRun(data, bytes.size());
        std::vector<std::size_t> expected;
        for (std::size_t n = 0; n < names.size(); ++n)
            if (BufferContains(data, region, LengthPrefixed(names[n])))
                expected.push_back(n);

        const std::vector<std::size_t> shortReads{1, 2, 3, 7, 8, 9, 13, 64, 255, 256, 300, 65536};
        const std::vector<std::size_t> longReads{97, kRegionReadSize, 65536};
        for (std::size_t readSize : longFile ? longReads : shortReads) {
            RegionScanner scanner(patterns, readSize);
            auto file = InputFile::OpenUnshared(path);
            ASSERT_TRUE(file);
            std::vector<std::size_t> found = scanner.Scan(*file);
            std::sort(found.begin(), found.end());
            ASSERT_EQ(found, expected) << "round " << round << ", reads of " << readSize;
        }
    }
}

}  // namespace
}  // namespace thld
