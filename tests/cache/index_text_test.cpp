#include <gtest/gtest.h>

#include "cache/index_scan.h"
#include "cache/index_text.h"

namespace thld {
namespace {

TEST(IndexText, StripLineBreaksTakesEveryCrAndLfAndNothingElse)
{
    EXPECT_EQ(StripLineBreaks("AAAA=Alpha\r\n"), "AAAA=Alpha");
    EXPECT_EQ(StripLineBreaks("\rA\rB=\nC\r\r\n"), "AB=C");
    EXPECT_EQ(StripLineBreaks(" \tK = V\t "), " \tK = V\t ");
    EXPECT_EQ(StripLineBreaks(std::string_view("K=\0V\xE9", 5)), std::string_view("K=\0V\xE9", 5));
    EXPECT_EQ(StripLineBreaks("\r\r\n"), "");
}

TEST(IndexText, HeaderIsTheFirstSevenCharactersUpperCased)
{
    EXPECT_TRUE(IsHeaderLine("[Cache]"));
    EXPECT_TRUE(IsHeaderLine("[cache]"));
    EXPECT_TRUE(IsHeaderLine("[CACHE]"));
    EXPECT_TRUE(IsHeaderLine("[cAcHe] and whatever follows"));
    EXPECT_TRUE(IsHeaderLine("[Cache]=x"));
    EXPECT_FALSE(IsHeaderLine(" [Cache]"));
    EXPECT_FALSE(IsHeaderLine("[Cache"));
    EXPECT_FALSE(IsHeaderLine("[Caches]"));
    EXPECT_FALSE(IsHeaderLine(""));
    EXPECT_FALSE(IsHeaderLine("\xEF\xBB\xBF[Cache]"));  // a mark is taken off before the test, not in it
    EXPECT_FALSE(
        IsHeaderLine("[C\xC1"
                     "CHE]"));  // no letter outside ASCII is folded
}

TEST(IndexText, EntryLinesSplitAtTheFirstEqualsSign)
{
    auto entry = SplitEntryLine("K=a=b");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->key, "K");
    EXPECT_EQ(entry->value, "a=b");
    entry = SplitEntryLine("=");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->key, "");
    EXPECT_EQ(entry->value, "");
    entry = SplitEntryLine(" K = V ");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->key, " K ");
    EXPECT_EQ(entry->value, " V ");
    EXPECT_FALSE(SplitEntryLine("[Other]"));
    EXPECT_FALSE(SplitEntryLine(""));
}

TEST(IndexText, PackageNameDropsOnePackageFileExtensionInAnyCase)
{
    EXPECT_EQ(PackageNameOf("DM-Deck16][.unr"), "DM-Deck16][");
    EXPECT_EQ(PackageNameOf("Untitled.utx"), "Untitled");
    EXPECT_EQ(PackageNameOf("NBDeco.u"), "NBDeco");
    EXPECT_EQ(PackageNameOf("Voices.uax"), "Voices");
    EXPECT_EQ(PackageNameOf("Chizra1.umx"), "Chizra1");
    EXPECT_EQ(PackageNameOf("LOUD.UTX"), "LOUD");
    EXPECT_EQ(PackageNameOf("Mixed.Unr"), "Mixed");
    EXPECT_EQ(PackageNameOf("Twice.unr.u"), "Twice.unr");
    EXPECT_EQ(PackageNameOf("Bare"), "Bare");
    EXPECT_EQ(PackageNameOf("Other.txt"), "Other.txt");
    EXPECT_EQ(PackageNameOf("Cached.uxx"), "Cached.uxx");
    EXPECT_EQ(PackageNameOf("Dotted.u.x"), "Dotted.u.x");
    EXPECT_EQ(PackageNameOf(".u"), ".u");
    EXPECT_EQ(PackageNameOf(""), "");
}

// The scan's view of a file, as "number:entryNumber:text" per line of the index.
std::vector<std::string> IndexOf(std::string_view bytes)
{
    IndexScan scan = ScanIndex(bytes);
    std::vector<std::string> out;
    for (const IndexLine& line : scan.body)
        out.push_back(std::to_string(line.number) + ":" + std::to_string(line.entryNumber) + ":" +
                      std::string(line.text));
    return out;
}

TEST(IndexScan, LinesEndAtLfWithTheCrBeforeIt)
{
    using Lines = std::vector<std::string>;
    EXPECT_EQ(IndexOf("[Cache]\r\nA=1\nB=2\r\r\nC=3\r"), (Lines{"1:1:A=1", "2:2:B=2\r", "3:3:C=3\r"}));
    EXPECT_EQ(IndexOf("[Cache]\nA=1\n"), (Lines{"1:1:A=1"}));  // no line after the last LF
    EXPECT_EQ(IndexOf("[Cache]\nk\r=\r\nk=\r\nx\r\r\n"), (Lines{"1:1:k\r=", "2:0:k=", "3:0:x\r"}));
    EXPECT_EQ(IndexOf("[Ca\rche]\nA\rA=1"), (Lines{"1:1:A\rA=1"}));
}

TEST(IndexScan, TheIndexEndsAtTheFirstLineEmptyOnceStripped)
{
    using Lines = std::vector<std::string>;
    for (std::string_view end : {"\r\n", "\n", "\r\r\n", "\r\r\r\n"}) {
        std::string file = "[Cache]\r\nA=1\r\n" + std::string(end) + "B=2\r\n";
        SCOPED_TRACE(file);
        IndexScan scan = ScanIndex(file);
        EXPECT_EQ(IndexOf(file), (Lines{"1:1:A=1"}));
        EXPECT_EQ(scan.tailBegin, 14u);
    }
    EXPECT_EQ(IndexOf("[Cache]\r\nA=1\r\n\r"), (Lines{"1:1:A=1"}));
    EXPECT_EQ(ScanIndex("[Cache]\r\nA=1\r\n").tailBegin, 14u);
    EXPECT_FALSE(ScanIndex("Top\r\n\r\n[Cache]\r\nA=1\r\n").header);
    EXPECT_FALSE(ScanIndex("Top\r\n\r\r\n[Cache]\r\nA=1\r\n").header);
}

TEST(IndexScan, AByteOrderMarkBelongsToNoLine)
{
    IndexScan scan = ScanIndex("\xEF\xBB\xBF[Cache]\r\nA=1\r\n");
    EXPECT_EQ(scan.markLength, 3u);
    ASSERT_TRUE(scan.header);
    EXPECT_EQ(scan.header->number, 0);
    EXPECT_EQ(scan.header->text, "[Cache]");
    EXPECT_EQ(scan.headerBegin, 3u);
    EXPECT_FALSE(ScanIndex("\xEF\xBB\xBF").anyLine);
    EXPECT_TRUE(ScanIndex("\n").anyLine);
    EXPECT_EQ(ScanIndex("\xEF\xBB[Cache]\r\n").markLength, 0u);
}

}  // namespace
}  // namespace thld
