#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "cache/cache_listing.h"
#include "cache/cached_file.h"
#include "cache/index_lookup.h"
#include "cache/index_text.h"
#include "cache/size_text.h"
#include "cache_folder.h"
#include "platform/file.h"
#include "platform/file_fault.h"
#include "support/corpus.h"

namespace thld {
namespace {

using test::CacheFolder;
using test::kMapStart;
using test::kScriptStart;
using test::kTexturesStart;

const std::string kNothing = "(none)";

// The line number of the entry line of a name, or -1 when there is no such line.
int LineOf(const CacheFolder& folder, const std::string& name)
{
    const FoundLine found = FindEntryLine(folder.Path(), name);
    EXPECT_NE(found.outcome, FoundLine::Outcome::Unreadable);
    return found.outcome == FoundLine::Outcome::Found ? found.number : -1;
}

// The stripped entry line whose entry number is n - 1, as the lookup by number gives it.
std::string Lookup(const CacheFolder& folder, int n)
{
    const IndexEntries entries = ReadIndexEntries(folder.Path());
    auto line = n == INT_MIN ? std::nullopt : entries.Line(n - 1);
    return line ? std::string(*line) : kNothing;
}

// "name:entryNumber:kind:sizeText" for each listed item.
std::vector<std::string> Items(const Listing& listing)
{
    std::vector<std::string> out;
    for (const PackageItem& item : listing.items)
        out.push_back(item.name + ":" + std::to_string(item.entryNumber) + ":" + std::string(item.kind) + ":" +
                      item.sizeText);
    return out;
}
using Texts = std::vector<std::string>;

// The example file: header on the first line, the cached file of CCCC missing, a late entry after the
// empty line.
class ExampleIndex : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.Index("[Cache]\r\nAAAA=Alpha\r\nx\r\nBBBB=Beta\r\nCCCC=Gamma\r\nDDDD=Delta\r\n\r\nEEEE=Late\r\n");
        folder.Cached("AAAA", 3000, kMapStart);
        folder.Cached("BBBB", 100, kTexturesStart);
        folder.Cached("DDDD", 2048, kScriptStart);
        folder.Cached("EEEE", 10);
    }
    CacheFolder folder;
};

TEST_F(ExampleIndex, ListingNumbersEntriesAndLeavesOutMissingFiles)
{
    Listing listing = ListCacheIndex(folder.Path());
    EXPECT_EQ(listing.outcome, Listing::Outcome::Listed);
    EXPECT_EQ(listing.indexPath, folder.Path() + "cache.ini");
    EXPECT_EQ(Items(listing),
              (Texts{"Alpha:1:Map:2k bytes", "Beta:2:Textures/Skins:0k bytes", "Delta:4:Script:2k bytes"}));
    EXPECT_EQ(listing.items[0].key, "AAAA");
    EXPECT_EQ(listing.items[2].size, 2048u);
    EXPECT_EQ(listing.total, 5148u);
    EXPECT_EQ(listing.total >> 10, 5u);
}

TEST_F(ExampleIndex, ProgressCountsEveryEntryAndItsAnswerCanStopTheListing)
{
    for (ProbeThreads threads : {ProbeThreads::One, ProbeThreads::Two, ProbeThreads::Several}) {
        std::vector<std::size_t> seen;
        auto count = [&](std::size_t done, std::size_t total) {
            EXPECT_EQ(total, 4u);  // the entry with a missing file counts too
            seen.push_back(done);
            return ListingStep::Continue;
        };
        EXPECT_EQ(ListCacheIndex(folder.Path(), kRegionReadSize, threads, count).items.size(), 3u);
        EXPECT_EQ(seen, (std::vector<std::size_t>{1, 2, 3, 4}));

        auto stop = [](std::size_t done, std::size_t) { return done == 2 ? ListingStep::Stop : ListingStep::Continue; };
        const Listing stopped = ListCacheIndex(folder.Path(), kRegionReadSize, threads, stop);
        EXPECT_EQ(stopped.outcome, Listing::Outcome::Stopped);
        EXPECT_EQ(Items(stopped), (Texts{"Alpha:1:Map:2k bytes"}));
    }
}

TEST_F(ExampleIndex, LookupsAndFindEntryLineUseTheirOwnNumbers)
{
    EXPECT_EQ(LineOf(folder, "Delta"), 5);
    EXPECT_EQ(Lookup(folder, 5), "DDDD=Delta");
    EXPECT_EQ(Lookup(folder, 4), "CCCC=Gamma");
    EXPECT_EQ(Lookup(folder, 2), "AAAA=Alpha");
    EXPECT_EQ(Lookup(folder, 1), kNothing);
    EXPECT_EQ(Lookup(folder, 6), kNothing);
    EXPECT_EQ(Lookup(folder, 0), kNothing);
    EXPECT_EQ(Lookup(folder, INT_MIN), kNothing);
    EXPECT_EQ(Lookup(folder, INT_MAX), kNothing);

    IndexEntries entries = ReadIndexEntries(folder.Path());
    EXPECT_EQ(entries.outcome, IndexEntries::Outcome::Read);
    EXPECT_EQ(entries.firstEntryNumber, 1);
    EXPECT_EQ(entries.lines, (Texts{"AAAA=Alpha", "BBBB=Beta", "CCCC=Gamma", "DDDD=Delta"}));

    EXPECT_EQ(LineOf(folder, "Late"), -1);  // after the empty line
    EXPECT_EQ(FindEntryLine(folder.Path(), "Gamma").text, "CCCC=Gamma");
    EXPECT_EQ(LineOf(folder, "Gamma"), 4);
}

// Lists a folder holding cache.ini with `index` and a 10-byte cached file for each of `keys`.
Listing ListWith(const CacheFolder& folder, std::string_view index, std::initializer_list<const char*> keys)
{
    folder.Index(index);
    for (const char* key : keys)
        folder.Cached(key, 10);
    return ListCacheIndex(folder.Path());
}

TEST(CacheIndexFormat, HeaderIsFoundByItsFirstSevenCharactersBeforeAnyEmptyLine)
{
    CacheFolder folder;
    EXPECT_EQ(Items(ListWith(folder, "; top\r\nK=not yet\r\n[cache] section\r\nAAAA=Alpha\r\n", {"AAAA", "K"})),
              (Texts{"Alpha:3:Unknown Type:0k bytes"}));
    EXPECT_EQ(LineOf(folder, "Alpha"), 3);
    EXPECT_EQ(LineOf(folder, "not yet"), -1);  // before the header
    EXPECT_EQ(ReadIndexEntries(folder.Path()).firstEntryNumber, 3);

    Listing listing = ListWith(folder, " [Cache]\r\nAAAA=Alpha\r\n", {});
    EXPECT_EQ(listing.outcome, Listing::Outcome::Listed);
    EXPECT_TRUE(listing.items.empty());
    EXPECT_TRUE(ListWith(folder, "top\r\n\r\n[Cache]\r\nAAAA=Alpha\r\n", {}).items.empty());
    EXPECT_EQ(Lookup(folder, 4), kNothing);
    EXPECT_EQ(ReadIndexEntries(folder.Path()).lines, Texts{});
}

TEST(CacheIndexFormat, ShortLinesLinesWithoutEqualsAndOtherSectionsAreSkipped)
{
    CacheFolder folder;
    Listing listing = ListWith(folder, "[Cache]\r\nk=\r\nk=v\r\n[Other]\r\nno equals\r\nQ=a=b\r\nx\r\n", {"k", "Q"});
    EXPECT_EQ(Items(listing), (Texts{"v:1:Unknown Type:0k bytes", "a=b:2:Unknown Type:0k bytes"}));
    EXPECT_EQ(listing.items[1].key, "Q");
    EXPECT_EQ(LineOf(folder, "a=b"), 5);
    EXPECT_EQ(LineOf(folder, "b"), -1);  // the value must equal the name whole
    EXPECT_EQ(LineOf(folder, ""), -1);   // "k=" is too short to be an entry line
}

TEST(CacheIndexFormat, LineEndsAreLfWithAnOptionalCrAndLinesAreStripped)
{
    CacheFolder folder;
    // LF alone, CR CR LF, a CR inside a line, and a last line with no line end.
    Listing listing = ListWith(folder, "[Cache]\nAAAA=Alpha\nBBBB=Beta\r\r\nCC\rCC=Gamma\r\nk\r=\nDDDD=Delta",
                               {"AAAA", "BBBB", "CCCC", "k", "DDDD"});
    EXPECT_EQ(Items(listing),
              (Texts{"Alpha:1:Unknown Type:0k bytes", "Beta:2:Unknown Type:0k bytes", "Gamma:3:Unknown Type:0k bytes",
                     ":4:Unknown Type:0k bytes", "Delta:5:Unknown Type:0k bytes"}));
    EXPECT_EQ(Lookup(folder, 3), "BBBB=Beta");
    EXPECT_EQ(Lookup(folder, 4), "CCCC=Gamma");
    EXPECT_EQ(LineOf(folder, "Delta"), 5);
    EXPECT_EQ(FindEntryLine(folder.Path(), "Delta").text, "DDDD=Delta");
    // The entry with an empty value is listed, so it is found as well.
    EXPECT_EQ(LineOf(folder, ""), 4);
    EXPECT_EQ(FindEntryLine(folder.Path(), "").text, "k=");

    // A line of nothing but CRs ends the index like an empty one.
    EXPECT_EQ(Items(ListWith(folder, "[Cache]\nAAAA=Alpha\n\r\r\nBBBB=Beta\n", {})),
              (Texts{"Alpha:1:Unknown Type:0k bytes"}));
    EXPECT_EQ(LineOf(folder, "Beta"), -1);
}

TEST(CacheIndexFormat, AByteOrderMarkIsNotText)
{
    CacheFolder folder;
    Listing listing = ListWith(folder, "\xEF\xBB\xBF[Cache]\r\nAAAA=Alpha\r\n", {"AAAA"});
    EXPECT_EQ(Items(listing), (Texts{"Alpha:1:Unknown Type:0k bytes"}));
    EXPECT_EQ(LineOf(folder, "Alpha"), 1);
    EXPECT_EQ(Lookup(folder, 2), "AAAA=Alpha");
    EXPECT_EQ(ListWith(folder, "\xEF\xBB\xBF", {}).outcome, Listing::Outcome::Empty);
}

TEST(CacheIndexFormat, FindEntryLineMatchesOnlyWholeValuesOfTheIndex)
{
    CacheFolder folder;
    folder.Index(
        "[Other]\r\nX=Beta\r\n[Cache]\r\nAAAA=x=Beta\r\nBBBB=beta\r\nCCCC=Beta\r\nDDDD=Beta\r\n\r\n"
        "[More]\r\nY=Beta\r\n");
    EXPECT_EQ(LineOf(folder, "Beta"), 5);  // the first of the two
    EXPECT_EQ(FindEntryLine(folder.Path(), "Beta").text, "CCCC=Beta");
    EXPECT_EQ(LineOf(folder, "BETA"), -1);
    EXPECT_EQ(LineOf(folder, "x=Beta"), 3);
    EXPECT_EQ(LineOf(folder, "Bet"), -1);
}

TEST(CacheIndexFormat, EmptyMissingAndHeaderOnlyFiles)
{
    CacheFolder folder;
    Listing missing = ListCacheIndex(folder.Path());
    EXPECT_EQ(missing.outcome, Listing::Outcome::Unreadable);
    EXPECT_EQ(missing.indexPath, folder.Path() + "cache.ini");
    EXPECT_EQ(Lookup(folder, 2), kNothing);
    EXPECT_EQ(ReadIndexEntries(folder.Path()).outcome, IndexEntries::Outcome::Unreadable);
    EXPECT_EQ(FindEntryLine(folder.Path(), "Alpha").outcome, FoundLine::Outcome::Unreadable);

    EXPECT_EQ(ListWith(folder, "", {}).outcome, Listing::Outcome::Empty);
    EXPECT_EQ(Lookup(folder, 2), kNothing);
    EXPECT_EQ(ReadIndexEntries(folder.Path()).outcome, IndexEntries::Outcome::Read);
    EXPECT_EQ(LineOf(folder, "Alpha"), -1);

    Listing headerOnly = ListWith(folder, "[Cache]", {});
    EXPECT_EQ(headerOnly.outcome, Listing::Outcome::Listed);
    EXPECT_TRUE(headerOnly.items.empty());
    EXPECT_EQ(headerOnly.total, 0u);
    EXPECT_EQ(ListWith(folder, "\r\n", {}).outcome, Listing::Outcome::Listed);  // one line, empty
}

TEST(CacheSizes, SizeTextsAreWholeKilobytesAndTheTotalIsDividedLast)
{
    CacheFolder folder;
    folder.Cached("A", 1023);
    folder.Cached("B", 1024);
    folder.Cached("C", 2047);
    Listing sizes = ListWith(folder, "[Cache]\r\nA=Ay\r\nB=Bee\r\nC=Cee\r\n", {});
    EXPECT_EQ(Items(sizes),
              (Texts{"Ay:1:Unknown Type:0k bytes", "Bee:2:Unknown Type:1k bytes", "Cee:3:Unknown Type:1k bytes"}));
    EXPECT_EQ(sizes.items[0].size, 1023u);
    EXPECT_EQ(SizeTextOf(0), "0k bytes");
    EXPECT_EQ(SizeTextOf(5ull << 30), "5242880k bytes");

    folder.Cached("D", 600);
    folder.Cached("E", 600);
    Listing listing = ListWith(folder, "[Cache]\r\nD=Dee\r\nE=Eee\r\n", {});
    EXPECT_EQ(Items(listing), (Texts{"Dee:1:Unknown Type:0k bytes", "Eee:2:Unknown Type:0k bytes"}));
    EXPECT_EQ(listing.total, 1200u);
}

TEST(CacheSizes, TheTotalAndSingleSizesGoPastFourGigabytes)
{
    CacheFolder folder;
    folder.Index("[Cache]\r\nBIG1=First\r\nBIG2=Second\r\n");
    // Sparse files: no disk space is used.
    folder.Write("BIG1.uxx", "");
    folder.Write("BIG2.uxx", "");
    std::filesystem::resize_file(folder / "BIG1.uxx", 3ull << 30);
    std::filesystem::resize_file(folder / "BIG2.uxx", 5ull << 30);
    Listing listing = ListCacheIndex(folder.Path());
    ASSERT_EQ(listing.items.size(), 2u);
    EXPECT_EQ(listing.items[1].size, 5ull << 30);
    EXPECT_EQ(listing.items[1].sizeText, "5242880k bytes");
    EXPECT_EQ(listing.total, 8ull << 30);
}

TEST(CacheKinds, EachCachedFileIsOpenedOnceForKindAndSize)
{
    CacheFolder folder;
    folder.Index("[Cache]\r\nAAAA=Alpha\r\nBBBB=Beta\r\nCCCC=Gamma\r\nDDDD=Delta\r\n");
    folder.Cached("AAAA", 5000, kMapStart);
    folder.Cached("BBBB", 700, kTexturesStart);
    folder.Cached("CCCC", 1500, kScriptStart);
    folder.MakeFolder("DDDD.uxx");  // a folder is no cached file
    std::vector<std::string> opened;
    SetDiskFaultHook([&](DiskStep step, const std::string& path) -> std::optional<FileErrorCause> {
        if (step == DiskStep::OpenRead)
            opened.push_back(path.substr(folder.Path().size()));
        return std::nullopt;
    });
    Listing listing = ListCacheIndex(folder.Path());
    SetDiskFaultHook({});
    EXPECT_EQ(Items(listing),
              (Texts{"Alpha:1:Map:4k bytes", "Beta:2:Textures/Skins:0k bytes", "Gamma:3:Script:1k bytes"}));
    EXPECT_EQ(opened, (Texts{"cache.ini", "AAAA.uxx", "BBBB.uxx", "CCCC.uxx", "DDDD.uxx"}));
    for (const PackageItem& item : listing.items)
        EXPECT_EQ(item.kind, GetPackageKind(folder.Path(), item.key));
}

TEST(CacheKinds, AnEmptyKeyIsUnknownAndSizedByTheFileNamedUxx)
{
    CacheFolder folder;
    folder.Index("[Cache]\r\n=Nameless\r\n");
    EXPECT_EQ(Items(ListCacheIndex(folder.Path())), (Texts{"Nameless:1:Unknown:0"}));
    folder.Cached("", 2048, kMapStart);
    EXPECT_EQ(Items(ListCacheIndex(folder.Path())), (Texts{"Nameless:1:Unknown:2k bytes"}));
}

TEST(CacheKinds, AKeyThatIsNoPlainFileNameIsListedWithoutOpeningAnything)
{
    CacheFolder folder;
    // The last key holds a zero byte, which would cut the path short at "N".
    folder.Index("[Cache]\r\n../out/victim=A\r\nsub/K=B\r\nsub\\K=C\r\nC:K=D\r\nNUL=E\r\n..=F\r\n" +
                 std::string("N\0L=G\r\n", 7));
    folder.Write("N", "a file the cut path would name");
    std::vector<std::string> opened;
    SetDiskFaultHook([&](DiskStep step, const std::string& path) -> std::optional<FileErrorCause> {
        if (step == DiskStep::OpenRead)
            opened.push_back(path);
        return std::nullopt;
    });
    Listing listing = ListCacheIndex(folder.Path());
    SetDiskFaultHook({});
    EXPECT_EQ(Items(listing), (Texts{"A:1:Unknown:0", "B:2:Unknown:0", "C:3:Unknown:0", "D:4:Unknown:0",
                                     "E:5:Unknown:0", "F:6:Unknown:0", "G:7:Unknown:0"}));
    EXPECT_EQ(opened, (Texts{folder.Path() + "cache.ini"}));
}

TEST(CacheKinds, AFailedReadAfterTheOpenIsAFileError)
{
    CacheFolder folder;
    folder.Index("[Cache]\r\nAAAA=Alpha\r\n");
    folder.Cached("AAAA", 10);
    for (const std::string failing : {"cache.ini", "AAAA.uxx"}) {
        SCOPED_TRACE(failing);
        SetDiskFaultHook([&](DiskStep step, const std::string& path) -> std::optional<FileErrorCause> {
            if (step == DiskStep::Read && path == folder.Path() + failing)
                return FileErrorCause::Hardware;
            return std::nullopt;
        });
        EXPECT_THROW(ListCacheIndex(folder.Path()), FileError);
        SetDiskFaultHook({});
    }
}

TEST(CacheCorpus, ListingShowsEveryRealPackageWithItsKindAndSize)
{
    THLD_REQUIRE_CORPUS();
    for (bool bareNames : {false, true}) {
        SCOPED_TRACE(bareNames ? "bare names" : "file names");
        test::TempFolder game;
        auto laid = test::LayOutGameFolder(game.Path(), {bareNames, {}});
        const std::string cacheFolder = game / "cache/";
        Listing listing = ListCacheIndex(cacheFolder);
        ASSERT_EQ(listing.items.size(), 38u);
        ASSERT_EQ(laid.size(), 38u);
        std::uint64_t total = 0;
        for (std::size_t i = 0; i < laid.size(); ++i) {
            const PackageItem& item = listing.items[i];
            const test::CorpusPackage& package = laid[i];
            EXPECT_EQ(item.name, bareNames ? package.package : package.file);
            EXPECT_EQ(PackageNameOf(item.name), package.package);
            EXPECT_EQ(item.key, package.guid);
            EXPECT_EQ(item.kind, package.kind) << package.file;
            EXPECT_EQ(item.size, package.size);
            EXPECT_EQ(item.sizeText, std::to_string(package.size / 1024) + "k bytes");
            EXPECT_EQ(item.entryNumber, static_cast<int>(i) + 1);
            EXPECT_EQ(FindEntryLine(cacheFolder, item.name).number, static_cast<int>(i) + 1);
            EXPECT_EQ(ReadIndexEntries(cacheFolder).Line(item.entryNumber), package.guid + "=" + item.name);
            total += package.size;
        }
        EXPECT_EQ(listing.total, total);
    }
}

}  // namespace
}  // namespace thld
