// cache.ini as the game may write it: in UTF-16LE or UTF-8 after a byte-order mark, or in the system
// code page; with CR LF, LF or CR line ends. Each is listed, found and rewritten in its own form.
#include <gtest/gtest.h>

#include "cache/cache_listing.h"
#include "cache/index_lookup.h"
#include "cache/index_rewrite.h"
#include "cache_folder.h"
#include "platform/code_page.h"

namespace thld {
namespace {

using test::CacheFolder;
using Texts = std::vector<std::string>;

// The file's bytes for text in UTF-16LE, after the mark FF FE.
std::string Utf16(std::u16string_view text)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

struct Case {
    const char* what;
    std::string former;
    Texts names;              // what the listing shows; each has a cached file KEY<n>.uxx
    std::string removedName;  // found and removed; none when empty
    std::string removedLine;  // what the rewrite gives back (the header when nothing is removed)
    std::string rewritten;
};

std::vector<Case> Cases()
{
    const std::string shift = "\xEF\xBB\xBF";                            // the UTF-8 mark
    const std::string map = "\xE3\x83\x9E\xE3\x83\x83\xE3\x83\x97.unr";  // マップ.unr
    const std::string smile = "\xF0\x9F\x98\x80.utx";                    // U+1F600, a pair in UTF-16
    const std::string loneLow = "\xED\xB0\x80x";                         // U+DC00 alone, then x
    const std::string latin = "\xE9t\xE9.unr";                           // été.unr in Windows-1252
    return {
        {"UTF-16LE with CR LF lines and names outside any code page",
         Utf16(u"; top\r\n[Cache]\r\nKEY1=Alpha\r\nKEY2=\u30DE\u30C3\u30D7.unr\r\nKEY3=\U0001F600.utx\r\n\r\nrest"),
         {"Alpha", map, smile},
         map,
         "KEY2=" + map,
         Utf16(u"; top\r\n[Cache]\r\nKEY1=Alpha\r\nKEY3=\U0001F600.utx\r\n\r\nrest")},
        {"UTF-16LE with lone surrogates and an odd last byte",
         Utf16(u"; \xD800 top\r\n[Cache]\r\nKEY1=Alpha\r\nKEY2=\xDC00x\r\nKEY3=Beta\r\n") + "A",
         {"Alpha", loneLow, "Beta"},
         "Beta",
         "KEY3=Beta",
         Utf16(u"; \xD800 top\r\n[Cache]\r\nKEY1=Alpha\r\nKEY2=\xDC00x\r\n") + "A"},
        {"UTF-16LE with LF lines, which it keeps",
         Utf16(u"[Cache]\nKEY1=Alpha\nKEY2=Beta\n"),
         {"Alpha", "Beta"},
         "Alpha",
         "KEY1=Alpha",
         Utf16(u"[Cache]\nKEY2=Beta\n")},
        {"LF line ends, as the native game writes them",
         "; top\n[Cache]\nKEY1=Alpha\nKEY2=Beta\n\nrest\n",
         {"Alpha", "Beta"},
         "Beta",
         "KEY2=Beta",
         "; top\n[Cache]\nKEY1=Alpha\n\nrest\n"},
        {"CR line ends",
         "[Cache]\rKEY1=Alpha\rKEY2=Beta\r\rrest\r",
         {"Alpha", "Beta"},
         "Alpha",
         "KEY1=Alpha",
         "[Cache]\rKEY2=Beta\r\rrest\r"},
        {"CR line ends in UTF-16LE",
         Utf16(u"; top\r[Cache]\rKEY1=Alpha\rKEY2=Beta"),
         {"Alpha", "Beta"},
         "Beta",
         "KEY2=Beta",
         Utf16(u"; top\r[Cache]\rKEY1=Alpha\r")},
        {"a single LF keeps every other CR inside its line",
         "[Cache]\rKEY1=Alpha\rKEY2=Beta\n",
         {},
         "",
         "[Cache]KEY1=AlphaKEY2=Beta",
         "[Cache]KEY1=AlphaKEY2=Beta\r\n"},
        {"UTF-8 after its mark",
         shift + "[Cache]\r\nKEY1=" + map + "\r\nKEY2=Beta\r\n",
         {map, "Beta"},
         map,
         "KEY1=" + map,
         shift + "[Cache]\r\nKEY2=Beta\r\n"},
        {"the system code page without a mark",
         "[Cache]\r\nKEY1=" + latin + "\r\nKEY2=Beta\r\n",
         {TextFromCodePage(latin), "Beta"},
         TextFromCodePage(latin),
         "KEY1=" + TextFromCodePage(latin),
         "[Cache]\r\nKEY2=Beta\r\n"},
    };
}

TEST(IndexEncoding, ListedFoundAndRewrittenByteForByteButTheRemovedLine)
{
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.what);
        CacheFolder folder;
        folder.Index(c.former);
        for (std::size_t n = 1; n <= c.names.size(); ++n)
            folder.Cached("KEY" + std::to_string(n), 10);

        Texts listed;
        for (const PackageItem& item : ListCacheIndex(folder.Path()).items)
            listed.push_back(item.name);
        EXPECT_EQ(listed, c.names);

        int number = -1;
        if (!c.removedName.empty()) {
            const FoundLine found = FindEntryLine(folder.Path(), c.removedName);
            ASSERT_EQ(found.outcome, FoundLine::Outcome::Found);
            EXPECT_EQ(found.text, c.removedLine);
            number = found.number;
        }
        RemovedLine removed = RemoveEntryLine(folder.Path(), number);
        EXPECT_EQ(removed.text, c.removedLine);
        EXPECT_EQ(folder.Index(), c.rewritten);
        EXPECT_EQ(folder.Read("cache.bak"), c.former);
    }
}

// A line added after the last line of the index, in the file's own encoding and line ends.
struct Added {
    const char* what;
    std::string former;
    std::string line;
    AddedLine outcome;
    std::string rewritten;  // the former file where nothing was added
};
void PrintTo(const Added& c, std::ostream* out) { *out << c.what; }

class AddEntryLineTest : public ::testing::TestWithParam<Added> {};
TEST_P(AddEntryLineTest, WritesTheLineInTheFilesOwnForm)
{
    CacheFolder folder;
    folder.Index(GetParam().former);
    EXPECT_EQ(AddEntryLine(folder.Path(), GetParam().line), GetParam().outcome);
    EXPECT_EQ(folder.Index(), GetParam().rewritten);
    if (GetParam().outcome == AddedLine::Added) {
        EXPECT_EQ(folder.Read("cache.bak"), GetParam().former);
    }
}
INSTANTIATE_TEST_SUITE_P(
    , AddEntryLineTest,
    ::testing::Values(Added{"LfLinesBeforeTheTail", "; top\n[Cache]\nA=a\n\nrest", "G=M.u", AddedLine::Added,
                            "; top\n[Cache]\nA=a\nG=M.u\n\nrest"},
                      Added{"EmptyIndex", "[Cache]", "G=M.u", AddedLine::Added, "[Cache]\r\nG=M.u\r\n"},
                      Added{"CrLineEnds", "[Cache]\rA=a\r\rrest\r", "G=M.u", AddedLine::Added,
                            "[Cache]\rA=a\rG=M.u\r\rrest\r"},
                      Added{"Utf16", Utf16(u"[Cache]\r\nA=a\r\n"), "G=\xE3\x83\x9E.u", AddedLine::Added,
                            Utf16(u"[Cache]\r\nA=a\r\nG=\u30DE.u\r\n")},
                      Added{"NoHeader", "A=a\r\n", "G=M.u", AddedLine::NoHeader, "A=a\r\n"},
                      Added{"LineEndInTheLine", "[Cache]\r\n", "G=M.u\r\nX=Y", AddedLine::NotWritable, "[Cache]\r\n"}),
    [](const auto& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace thld
