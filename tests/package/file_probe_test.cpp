#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "package/buffer_contains.h"
#include "package/file_probe.h"
#include "package/region_end.h"
#include "platform/file.h"
#include "platform/file_fault.h"
#include "support/fake_cache.h"
#include "support/page_cache.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

using test::LengthPrefixed;

const std::vector<std::string> kNames{"Ab", "Abc", "bc", "Tex", "Texture", "xTex", "", std::string(254, 'N')};

struct Expected {
    PackageKind kind;
    std::optional<std::uint64_t> length;
    std::optional<std::vector<std::size_t>> found;  // sorted
};

// A cache of files of every kind and length, from a few bytes to past several of the reader's
// batches, some without a run, some with package headers that tell the name table right or wrong;
// and what each file must give, worked out from the whole file at once.
class ProbeCache {
public:
    explicit ProbeCache(unsigned seed) : random_(seed)
    {
        for (const std::string& name : kNames)
            patterns_.Add(name);
        const std::vector<PackageKind> kinds{kind::Map, kind::Script, kind::Textures, kind::UnknownType};
        for (std::size_t i = 0; i < 40; ++i) {
            std::string key = std::to_string(i);
            key.insert(key.begin(), 'K');
            if (i == 7) {
                files_.files.push_back({Keep(folder_ / "unclassified"), false});  // its length only
                folder_.Write("unclassified", std::string(3000, 'e'));
                expected_.push_back({kind::Unknown, 3000, std::nullopt});
                continue;
            }
            files_.files.push_back({Keep(folder_ / (key + ".uxx"))});
            if (i % 13 == 5) {
                expected_.push_back({kind::NotAvailable, std::nullopt, std::nullopt});
                continue;
            }
            PackageKind label = kinds[Pick(kinds.size())];
            std::string bytes = Body(label, i);
            folder_.Write(key + ".uxx", bytes);
            Expected expected{KindOfFile(files_.PathOf(files_.size() - 1)), bytes.size(), std::nullopt};
            if (expected.kind == kind::Map || expected.kind == kind::Script)
                expected.found = FoundIn(bytes);
            expected_.push_back(expected);
        }
    }

    const FilesToProbe& Files() const { return files_; }
    const NamePatterns& Patterns() const { return patterns_; }
    const std::vector<Expected>& Answers() const { return expected_; }

private:
    std::size_t Pick(std::size_t n) { return static_cast<std::size_t>(random_() % n); }
    std::string_view Keep(std::string path) { return paths_.emplace_back(std::move(path)); }

    std::string Body(PackageKind label, std::size_t i)
    {
        std::string bytes;
        if (Pick(2))
            bytes = test::PackageHeader(static_cast<std::uint32_t>(Pick(3) ? 100 + Pick(9000) : random_()), 64);
        bytes += test::KindWords(label);
        // Mostly short; every fifth up to 1.5 MB, some of those without a run at all.
        std::size_t length = i % 5 == 4 ? 100'000 + Pick(1'400'000) : Pick(40'000);
        const bool run = i % 10 != 9;
        while (bytes.size() < length) {
            switch (Pick(8)) {
            case 0:
                bytes += LengthPrefixed(kNames[Pick(kNames.size())]);
                break;
            case 1:
                bytes += std::string(7, '\xFF') + "z";
                break;
            case 2:
                bytes += std::string(run && Pick(length / 2000 + 1) == 0 ? 8 : 3, '\xFF') + "z";
                break;
            default:
                bytes += std::string(1 + Pick(60), static_cast<char>('a' + Pick(3)));
                break;
            }
        }
        return bytes;
    }

    std::vector<std::size_t> FoundIn(const std::string& bytes) const
    {
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
        std::size_t region = FindFfRun(data, bytes.size());
        std::vector<std::size_t> found;
        for (std::size_t n = 0; n < kNames.size(); ++n)
            if (BufferContains(data, region, LengthPrefixed(kNames[n].substr(0, 254))))
                found.push_back(n);
        return found;
    }

    std::mt19937 random_;
    test::TempFolder folder_;
    NamePatterns patterns_;
    std::deque<std::string> paths_;  // what the files' names view
    FilesToProbe files_;
    std::vector<Expected> expected_;
};

const std::vector<ProbeThreads> kEveryWay{ProbeThreads::One, ProbeThreads::Two, ProbeThreads::Several};

std::string WayName(ProbeThreads threads)
{
    return threads == ProbeThreads::One   ? "one thread"
           : threads == ProbeThreads::Two ? "two threads"
                                          : "several readers";
}

// Whether the reading runs beside the search or not, and with the files in memory or (so that the
// read-ahead starts) on the disk, every file gets the answer that looking at its whole file gives,
// in order, on the calling thread.
TEST(ProbeFiles, GivesEveryKeyItsFilesAnswerInOrder)
{
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        ProbeCache cache(seed);
        const bool cold = seed == 4;
        for (ProbeThreads threads : kEveryWay) {
            for (std::size_t readSize : {std::size_t{999}, kRegionReadSize}) {
                for (std::size_t i = 0; cold && i < cache.Files().size(); ++i)
                    test::DropFromMemory(cache.Files().PathOf(i));
                std::vector<std::size_t> order;
                const auto caller = std::this_thread::get_id();
                ProbeFiles(
                    cache.Files(), readSize, [&]() -> const NamePatterns& { return cache.Patterns(); },
                    [&](std::size_t i, FileProbe&& probe) {
                        ASSERT_EQ(std::this_thread::get_id(), caller);
                        order.push_back(i);
                        const Expected& expected = cache.Answers()[i];
                        std::ostringstream where;
                        where << "seed " << seed << (cold ? " (cold)" : "") << ", " << WayName(threads) << ", reads of "
                              << readSize << ", file " << i;
                        EXPECT_EQ(probe.kind, expected.kind) << where.str();
                        EXPECT_EQ(probe.length, expected.length) << where.str();
                        if (probe.found)
                            std::sort(probe.found->begin(), probe.found->end());
                        EXPECT_EQ(probe.found, expected.found) << where.str();
                    },
                    threads);
                std::vector<std::size_t> all(cache.Files().size());
                for (std::size_t i = 0; i < all.size(); ++i)
                    all[i] = i;
                EXPECT_EQ(order, all);
            }
        }
    }
}

// A read that fails stops the probing there, whether it is a file's first read or one in the
// middle of its region: the files before it have their answers, the error comes out, and no file
// after it is opened.
TEST(ProbeFiles, AFailedReadEndsItInOrder)
{
    ProbeCache cache(4);
    auto probeAll = [&](ProbeThreads threads, std::vector<std::size_t>& given) {
        ProbeFiles(
            cache.Files(), kRegionReadSize, [&]() -> const NamePatterns& { return cache.Patterns(); },
            [&](std::size_t i, FileProbe&&) { given.push_back(i); }, threads);
    };
    // How many reads each file takes.
    std::map<std::string, int> readsOf;
    auto previous = SetDiskFaultHook([&](DiskStep step, const std::string& path) -> std::optional<FileErrorCause> {
        if (step == DiskStep::Read)
            ++readsOf[path];
        return std::nullopt;
    });
    std::vector<std::size_t> given;
    probeAll(ProbeThreads::One, given);
    SetDiskFaultHook(previous);

    for (int failingRead : {1, 2}) {
        std::size_t failing = 0;
        while (failing < cache.Files().size() &&
               readsOf[cache.Files().PathOf(failing)] < 2)  // a region past the first read
            ++failing;
        ASSERT_LT(failing, cache.Files().size());
        const std::string failingPath = cache.Files().PathOf(failing);
        for (ProbeThreads threads : kEveryWay) {
            std::vector<std::string> opened;
            int reads = 0;
            std::mutex hooked;  // several readers ask at once
            previous = SetDiskFaultHook([&](DiskStep step, const std::string& path) -> std::optional<FileErrorCause> {
                std::lock_guard lock(hooked);
                if (step == DiskStep::OpenRead)
                    opened.push_back(path);
                if (step == DiskStep::Read && path == failingPath && ++reads == failingRead)
                    return FileErrorCause::Other;
                return std::nullopt;
            });
            given.clear();
            std::ostringstream where;
            where << WayName(threads) << ", read " << failingRead;
            EXPECT_THROW(probeAll(threads, given), FileError) << where.str();
            SetDiskFaultHook(previous);
            ASSERT_EQ(given.size(), failing) << where.str();
            ASSERT_FALSE(opened.empty());
            if (threads == ProbeThreads::Several)  // the others read on meanwhile, unanswered
                EXPECT_NE(std::find(opened.begin(), opened.end(), failingPath), opened.end()) << where.str();
            else
                EXPECT_EQ(opened.back(), failingPath) << where.str();
        }
    }
}

// When the one who takes the answers gives up, the reader stops and its thread ends.
TEST(ProbeFiles, StopsWhenTheTakerThrows)
{
    ProbeCache cache(5);
    for (ProbeThreads threads : kEveryWay) {
        std::size_t given = 0;
        EXPECT_THROW(ProbeFiles(
                         cache.Files(), kRegionReadSize, [&]() -> const NamePatterns& { return cache.Patterns(); },
                         [&](std::size_t i, FileProbe&&) {
                             if (i == 12)
                                 throw std::runtime_error("enough");
                             ++given;
                         },
                         threads),
                     std::runtime_error)
            << WayName(threads);
        EXPECT_EQ(given, 12u);
    }
}

}  // namespace
}  // namespace thld
