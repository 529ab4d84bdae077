#include <gtest/gtest.h>

#include "cache/cache_listing.h"
#include "cache/cached_file.h"
#include "cache/index_lookup.h"
#include "cache/index_rewrite.h"
#include "cache_folder.h"
#include "platform/file.h"

namespace thld {
namespace {

using test::CacheFolder;
using Texts = std::vector<std::string>;

const Texts kIndexAndBackup{"cache.bak", "cache.ini"};

TEST(RemoveEntryLine, LeavesOutTheLineAndKeepsTheFormerFileAsBackup)
{
    CacheFolder folder;
    const std::string former = "[Cache]\r\nAAAA=Alpha\r\nBBBB=Beta\r\n";
    folder.Index(former);
    RemovedLine result = RemoveEntryLine(folder.Path(), 1);
    EXPECT_EQ(result.text, "AAAA=Alpha");
    EXPECT_EQ(result.outcome, RemovedLine::Outcome::Removed);
    EXPECT_EQ(folder.Index(), "[Cache]\r\nBBBB=Beta\r\n");
    EXPECT_EQ(folder.Read("cache.bak"), former);

    // An existing backup is replaced by the file as it stood before this rewrite.
    result = RemoveEntryLine(folder.Path(), 1);
    EXPECT_EQ(result.text, "BBBB=Beta");
    EXPECT_EQ(folder.Index(), "[Cache]\r\n");
    EXPECT_EQ(folder.Read("cache.bak"), "[Cache]\r\nBBBB=Beta\r\n");
    EXPECT_EQ(folder.Names(), kIndexAndBackup);
}

TEST(RemoveEntryLine, StripsTheIndexIntoCrLfLinesAndKeepsEverythingElse)
{
    CacheFolder folder;
    folder.Index("[cache] Section\nx\n[Other]\r\nAAAA=Al\rpha\r\r\nk=\nBBBB=Beta");
    RemovedLine result = RemoveEntryLine(folder.Path(), -1);
    EXPECT_EQ(result.text, "[cache] Section");
    EXPECT_EQ(result.outcome, RemovedLine::Outcome::NoSuchLine);
    EXPECT_EQ(folder.Index(), "[cache] Section\r\nx\r\n[Other]\r\nAAAA=Alpha\r\nk=\r\nBBBB=Beta\r\n");

    folder.Index("\xEF\xBB\xBF; top\nK=before\n[Cache]\nAAAA=Alpha\nBBBB=Beta\n\r\r\nCCCC=After\n[Other]\nX=Y");
    result = RemoveEntryLine(folder.Path(), 3);
    EXPECT_EQ(result.text, "AAAA=Alpha");
    EXPECT_EQ(folder.Index(), "\xEF\xBB\xBF; top\nK=before\n[Cache]\r\nBBBB=Beta\r\n\r\r\nCCCC=After\n[Other]\nX=Y");
}

TEST(RemoveEntryLine, OnlyAnEntryLineOfTheIndexIsEverLeftOut)
{
    const std::string former = "K=top\r\n[Cache]\r\nAAAA=Alpha\r\nx\r\n[Other]\r\nk=\r\n\r\nBBBB=Late\r\n";
    const std::string rewritten = former;  // already stripped and in CR LF lines
    for (int number : {-1, 0, 1, 3, 4, 5, 6, 7, 8, INT_MAX}) {
        SCOPED_TRACE(number);
        CacheFolder folder;
        folder.Index(former);
        RemovedLine result = RemoveEntryLine(folder.Path(), number);
        EXPECT_EQ(result.text, "[Cache]");
        EXPECT_EQ(result.outcome, RemovedLine::Outcome::NoSuchLine);
        EXPECT_EQ(folder.Index(), rewritten);
        EXPECT_EQ(folder.Read("cache.bak"), former);
    }
}

TEST(RemoveEntryLine, MissingOrHeaderlessIndexChangesNothing)
{
    CacheFolder folder;
    RemovedLine result = RemoveEntryLine(folder.Path(), 1);
    EXPECT_EQ(result.text, "");
    EXPECT_EQ(result.outcome, RemovedLine::Outcome::Unreadable);
    EXPECT_EQ(folder.Names(), Texts{});

    for (std::string former : {"", "AAAA=Alpha\r\n", "x\r\n\r\n[Cache]\r\nAAAA=Alpha\r\n"}) {
        folder.Index(former);
        result = RemoveEntryLine(folder.Path(), 0);
        EXPECT_EQ(result.text, "");
        EXPECT_EQ(result.outcome, RemovedLine::Outcome::NoHeader);
        EXPECT_EQ(folder.Index(), former);
        EXPECT_EQ(folder.Names(), Texts{"cache.ini"});
    }
}

TEST(RemoveEntryLine, EveryListedPackageIsFoundAndRemoved)
{
    CacheFolder folder;
    folder.Index("[Cache]\r\nAAAA=Twin\r\nBBBB=Twin\r\nKK=\r\nCCCC=x=Twin\r\n");
    for (const char* key : {"AAAA", "BBBB", "KK", "CCCC"})
        folder.Cached(key, 1);
    Texts removed;
    for (;;) {
        Listing listing = ListCacheIndex(folder.Path());
        if (listing.items.empty())
            break;
        const FoundLine line = FindEntryLine(folder.Path(), listing.items.front().name);
        ASSERT_EQ(line.outcome, FoundLine::Outcome::Found) << listing.items.front().name;
        RemovedLine result = RemoveEntryLine(folder.Path(), line.number);
        ASSERT_EQ(result.outcome, RemovedLine::Outcome::Removed);
        removed.push_back(result.text);
    }
    EXPECT_EQ(removed, (Texts{"AAAA=Twin", "BBBB=Twin", "KK=", "CCCC=x=Twin"}));
    EXPECT_EQ(folder.Index(), "[Cache]\r\n");
}

}  // namespace
}  // namespace thld
