#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "cache/cache_listing.h"
#include "cache/cached_file.h"
#include "cache/index_lookup.h"
#include "cache/requirements.h"
#include "package/region_scan.h"
#include "platform/file.h"
#include "platform/file_fault.h"
#include "support/fake_cache.h"
#include "support/literal_requirements.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

using test::LengthPrefixed;

// Random small caches made to hit the corners: names that are prefixes and suffixes of each other,
// equal names, names over 254 bytes, extensions in any case or none, every kind, empty keys,
// missing and unreadable files, patterns right at the region's end, 0xFF runs of seven and eight,
// files without a run, empty regions, and junk lines in cache.ini.
class RandomCache {
public:
    RandomCache(std::mt19937& random, const test::TempFolder& folder) : random_(random), folder_(folder) {}

    void Make()
    {
        std::vector<std::string> lines;
        std::size_t count = 1 + Pick(16);
        for (std::size_t i = 0; i < count; ++i) {
            if (Pick(8) == 0)
                lines.push_back(Pick(2) ? "x" : "no equals sign here");
            std::string key;
            if (Pick(12) != 0)
                key = std::string("K") + std::to_string(Pick(12) == 0 ? 0 : i);
            lines.push_back(key + "=" + Name() + Extension());
            if (key.empty() || Pick(15) == 0)
                continue;  // no file
            if (Pick(15) == 0)
                unreadable_.insert(folder_ / (key + ".uxx"));
            folder_.Write(key + ".uxx", Body());
        }
        test::WriteIndex(folder_.Path(), lines);
    }

    // Changes cache.ini after the listing: lines go, come or swap, so that some entry numbers
    // find another line or none.
    void Disturb()
    {
        std::string text = folder_.Read("cache.ini");
        std::size_t at = text.find("\r\n", 9 + Pick(text.size()));
        if (at != std::string::npos)
            text.insert(at + 2, Pick(2) ? "K1=Inserted.u\r\n" : "zz\r\n");
        else
            text = "[Cache]\r\nK2=Only.utx\r\n";
        folder_.Write("cache.ini", text);
    }

    const std::set<std::string>& Unreadable() const { return unreadable_; }

private:
    std::size_t Pick(std::size_t n) { return static_cast<std::size_t>(random_() % n); }

    std::string Name()
    {
        static const std::vector<std::string> names{"Ab",
                                                    "Abc",
                                                    "bc",
                                                    "c",
                                                    "Abcd",
                                                    "DM-Ab",
                                                    "Ab.u",
                                                    "",
                                                    "Tex",
                                                    "Texture",
                                                    "xTex",
                                                    "a=b",
                                                    std::string(253, 'N'),
                                                    std::string(254, 'N'),
                                                    std::string(260, 'N'),
                                                    "\xFF\xFF\xFF\xFF"};
        return names[Pick(names.size())];
    }
    std::string Extension()
    {
        static const std::vector<std::string> extensions{".utx", ".u", ".unr", ".UTX", ".U",
                                                         ".umx", "",   ".uax", ".txt"};
        return extensions[Pick(extensions.size())];
    }
    PackageKind Kind()
    {
        static const std::vector<PackageKind> kinds{kind::Map, kind::Textures, kind::Script, kind::UnknownType};
        return kinds[Pick(kinds.size())];
    }

    // A package file: its kind's words (sometimes after a run, which leaves an empty region), then
    // pieces of every sort.
    std::string Body()
    {
        std::string bytes = test::KindWords(Kind());
        if (Pick(20) == 0)
            bytes.insert(0, std::string(8, '\xFF'));
        std::size_t pieces = Pick(30);
        for (std::size_t i = 0; i < pieces; ++i) {
            switch (Pick(7)) {
            case 0:
            case 1:
                bytes += LengthPrefixed(Name().substr(0, 254));
                break;
            case 2:
                bytes += std::string(7 + Pick(2), '\xFF');
                break;
            case 3:
                bytes += Name();
                break;
            case 4:
                bytes += std::string(1, static_cast<char>(Pick(256)));
                break;
            default:
                bytes += std::string(Pick(6), '.');
                break;
            }
        }
        return bytes;
    }

    std::mt19937& random_;
    const test::TempFolder& folder_;
    std::set<std::string> unreadable_;
};

TEST(RequirementsDifferential, TheFastPassGivesWhatTheLiteralStepsGive)
{
    std::mt19937 random(4242);
    const std::vector<std::size_t> readSizes{1, 2, 3, 7, 8, 9, 16, 255, 256, 263, 1000, 65536};
    int compared = 0, required = 0;
    for (int round = 0; round < 150; ++round) {
        test::TempFolder folder;
        RandomCache cache(random, folder);
        cache.Make();
        auto previous = SetDiskFaultHook([&](DiskStep step, const std::string& path) -> std::optional<FileErrorCause> {
            if (step == DiskStep::OpenRead && cache.Unreadable().count(path))
                return FileErrorCause::Sharing;
            return std::nullopt;
        });
        // The listing searches the map and script files on its way (in reads of the size tried);
        // the pass also runs on items that carry no such search and opens the files itself.
        const std::size_t readSize = readSizes[round % readSizes.size()];
        std::vector<PackageItem> items = ListCacheIndex(folder.Path()).items;
        std::vector<PackageItem> searchedInSmallReads = ListCacheIndex(folder.Path(), readSize).items;
        std::vector<PackageItem> unsearched = items;
        for (PackageItem& item : unsearched)
            item.namesInRegion.reset();
        if (round % 5 == 4)
            cache.Disturb();

        std::vector<PackageItem> literal = items;
        test::LiteralRelationships(folder.Path(), literal);
        auto compare = [&](std::vector<PackageItem> fast, std::size_t passReadSize, const char* how) {
            DetermineRelationships(folder.Path(), fast, passReadSize);
            for (std::size_t i = 0; i < items.size(); ++i) {
                ASSERT_EQ(fast[i].requirements, literal[i].requirements)
                    << "round " << round << ", " << how << ", reads of " << readSize << ", item " << i;
                required += static_cast<int>(fast[i].requirements.size());
            }
            ++compared;
        };
        compare(items, kRegionReadSize, "listing's search");
        compare(searchedInSmallReads, kRegionReadSize, "listing's search");
        compare(unsearched, readSize, "the pass's own search");
        SetDiskFaultHook(previous);
    }
    // The caches must really exercise the search.
    EXPECT_GT(required, 450);
    EXPECT_EQ(compared, 450);
}

}  // namespace
}  // namespace thld
