#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cache/cache_listing.h"
#include "cache/cached_file.h"
#include "cache/index_lookup.h"
#include "cache/requirements.h"
#include "platform/file.h"
#include "platform/file_fault.h"
#include "support/fake_cache.h"
#include "support/literal_requirements.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

using test::KindWords;
using test::LengthPrefixed;
using Names = std::vector<std::string>;

const std::string kRun(8, '\xFF');
const std::string kSeven(7, '\xFF');

class Requirements : public ::testing::Test {
protected:
    // A cached package: its line "key=value" and its file, which starts with the kind's words.
    void Add(const std::string& key, const std::string& value, PackageKind label, const std::string& body)
    {
        lines_.push_back(key + "=" + value);
        folder_.Write(key + ".uxx", KindWords(label) + body);
    }

    // Lists the cache and runs the pass; the literal procedure must agree item for item.
    std::vector<PackageItem> Run()
    {
        test::WriteIndex(folder_.Path(), lines_);
        items_ = ListCacheIndex(folder_.Path()).items;
        return Pass();
    }
    std::vector<PackageItem> Pass()
    {
        std::vector<PackageItem> fast = items_;
        DetermineRelationships(folder_.Path(), fast);
        std::vector<PackageItem> literal = items_;
        test::LiteralRelationships(folder_.Path(), literal);
        for (std::size_t i = 0; i < fast.size(); ++i)
            EXPECT_EQ(fast[i].requirements, literal[i].requirements) << "item " << fast[i].name;
        return fast;
    }

    test::TempFolder folder_;
    Names lines_;
    std::vector<PackageItem> items_;
};

TEST_F(Requirements, ALengthPrefixedNameInTheRegionMakesARequirement)
{
    Add("T", "Abcdef.utx", kind::Textures, "");
    Add("M1", "DM-One.unr", kind::Map,
        "\x07"
        "Abcdef.");
    Add("M2", "DM-Two.unr", kind::Map,
        "\x08"
        "Abcdef.");  // another length byte
    Add("M3", "DM-Three.unr", kind::Map,
        "\x0A"
        "XYZAbcdef.");  // inside a longer name
    Add("M4", "DM-Four.unr", kind::Map, "nothing here");
    auto items = Run();
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[1].requirements, Names{"Abcdef.utx"});
    EXPECT_EQ(items[2].requirements, Names{});
    EXPECT_EQ(items[3].requirements, Names{});
    EXPECT_EQ(items[4].requirements, Names{});
    EXPECT_EQ(items[0].requirements, Names{});
}

TEST_F(Requirements, OnlyThePatternsEndingBeforeTheRegionsLastByteCount)
{
    const std::string pattern = LengthPrefixed("Abcdef");
    Add("T", "Abcdef.utx", kind::Textures, "");
    Add("M1", "DM-After.unr", kind::Map, "." + kRun + pattern + ".");
    Add("M2", "DM-Last.unr", kind::Map, "." + pattern + kRun);
    Add("M3", "DM-Before.unr", kind::Map, "." + pattern + "." + kRun);
    Add("M4", "DM-Seven.unr", kind::Map, std::string(".") + kSeven + "." + pattern + ".");
    Add("M5", "DM-NoRun.unr", kind::Map, "." + pattern);  // the whole file, up to its last byte
    Add("M6", "DM-NoRun2.unr", kind::Map, "." + pattern + ".");
    auto items = Run();
    ASSERT_EQ(items.size(), 7u);
    EXPECT_EQ(items[1].requirements, Names{});
    EXPECT_EQ(items[2].requirements, Names{});
    EXPECT_EQ(items[3].requirements, Names{"Abcdef.utx"});
    EXPECT_EQ(items[4].requirements, Names{"Abcdef.utx"});
    EXPECT_EQ(items[5].requirements, Names{});
    EXPECT_EQ(items[6].requirements, Names{"Abcdef.utx"});
}

TEST_F(Requirements, RequirementsFollowTheItemOrderAndOnlyTexturesAndScriptsAreRequired)
{
    Add("S", "Zeta.u", kind::Script, LengthPrefixed("Alpha") + ".");
    Add("T", "Alpha.utx", kind::Textures, LengthPrefixed("Zeta") + ".");
    Add("M", "DM-Map.unr", kind::Map, LengthPrefixed("Alpha") + LengthPrefixed("Zeta") + ".");
    Add("N", "DM-Other.unr", kind::Map, LengthPrefixed("DM-Map") + LengthPrefixed("Noise") + ".");
    Add("U", "Noise.umx", kind::UnknownType, LengthPrefixed("Zeta") + ".");
    auto items = Run();
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].requirements, Names{"Alpha.utx"});  // a script both requires and is required
    EXPECT_EQ(items[1].requirements, Names{});             // textures are never searched
    EXPECT_EQ(items[2].requirements, (Names{"Zeta.u", "Alpha.utx"}));
    EXPECT_EQ(items[3].requirements, Names{});  // maps and unknown kinds are never required
    EXPECT_EQ(items[4].requirements, Names{});
}

TEST_F(Requirements, TwoVersionsOfANameNeverRequireEachOther)
{
    Add("S1", "Twin.u", kind::Script, LengthPrefixed("Twin") + ".");
    Add("S2", "twin.U", kind::Script, LengthPrefixed("Twin") + ".");
    Add("M", "DM-Map.unr", kind::Map, LengthPrefixed("Twin") + LengthPrefixed("twin") + ".");
    auto items = Run();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].requirements, Names{});
    EXPECT_EQ(items[1].requirements, Names{});
    EXPECT_EQ(items[2].requirements, (Names{"Twin.u", "twin.U"}));
}

TEST_F(Requirements, ThePatternIsThePackageNameAndTheTextTheValue)
{
    Add("T1", "Untitled.utx", kind::Textures, "");
    Add("T2", "Loud.UTX", kind::Textures, "");
    Add("T3", "Bare", kind::Textures, "");
    Add("M1", "DM-Whole.unr", kind::Map, LengthPrefixed("Untitled.utx") + ".");
    Add("M2", "DM-Names.unr", kind::Map, LengthPrefixed("Loud") + LengthPrefixed("Bare") + ".");
    auto items = Run();
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[3].requirements, Names{});
    EXPECT_EQ(items[4].requirements, (Names{"Loud.UTX", "Bare"}));
}

TEST_F(Requirements, AnEntryWithAnEmptyNameRequiresNothingAndIsRequiredByNothing)
{
    // The empty name's pattern is the byte 0x01 alone, which nearly every package holds.
    Add("EE", "", kind::Script, LengthPrefixed("Alpha") + "\x01.");  // "E=" would be too short a line
    Add("A", "Alpha.u", kind::Script, "\x01.");
    Add("M", "DM-Map.unr", kind::Map, LengthPrefixed("Alpha") + "\x01.");
    auto items = Run();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].requirements, Names{});
    EXPECT_EQ(items[1].requirements, Names{});
    EXPECT_EQ(items[2].requirements, Names{"Alpha.u"});
}

TEST_F(Requirements, NamesLongerThan254AreCutForThePatternAndTheText)
{
    const std::string longName(300, 'N');
    Add("T", longName + ".utx", kind::Textures, "");
    Add("M1", "DM-Cut.unr", kind::Map, LengthPrefixed(longName.substr(0, 254)) + ".");
    // Seven 0xFF bytes and the pattern's length byte 0xFF make a run: the region ends before them.
    Add("M2", "DM-Run.unr", kind::Map, kSeven + LengthPrefixed(longName.substr(0, 254)) + ".");
    auto items = Run();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[1].requirements, Names{longName.substr(0, 254)});
    EXPECT_EQ(items[2].requirements, Names{});
}

// A region of several megabytes is read a piece at a time: a name near its end is found, one past
// a run that lies far into the file is not.
TEST(RequirementsOfLargeFiles, TheRegionIsFollowedToItsEnd)
{
    test::TempFolder folder;
    const std::string pad(5 * 1024 * 1024, '\0');
    folder.Write("T.uxx", KindWords(kind::Textures));
    folder.Write("M1.uxx", KindWords(kind::Map) + pad + LengthPrefixed("Tex") + ".");
    folder.Write("M2.uxx", KindWords(kind::Map) + pad + kRun + LengthPrefixed("Tex") + ".");
    test::WriteIndex(folder.Path(), {"T=Tex.utx", "M1=DM-One.unr", "M2=DM-Two.unr"});
    std::vector<PackageItem> items = ListCacheIndex(folder.Path()).items;
    DetermineRelationships(folder.Path(), items);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[1].requirements, Names{"Tex.utx"});
    EXPECT_EQ(items[2].requirements, Names{});
}

TEST_F(Requirements, ItemsWhoseLineOrFileIsGoneTakePartOnNeitherSide)
{
    Add("T", "Tex.utx", kind::Textures, "");
    Add("S", "Code.u", kind::Script, LengthPrefixed("Tex") + ".");
    Add("M", "DM-Map.unr", kind::Map, LengthPrefixed("Tex") + LengthPrefixed("Code") + ".");
    auto items = Run();
    EXPECT_EQ(items[2].requirements, (Names{"Tex.utx", "Code.u"}));

    // The map's file can't be opened any more. The listing searched it through its own open, and
    // the pass keeps that answer; items the listing did not search have their files opened by the
    // pass, and one that can't be opened requires nothing (and nothing is said).
    const std::vector<PackageItem> listed = items_;
    const std::string mapPath = folder_ / "M.uxx";
    auto previous = SetDiskFaultHook([&](DiskStep step, const std::string& path) -> std::optional<FileErrorCause> {
        if (step == DiskStep::OpenRead && path == mapPath)
            return FileErrorCause::Sharing;
        return std::nullopt;
    });
    items = items_;
    DetermineRelationships(folder_.Path(), items);
    EXPECT_EQ(items[2].requirements, (Names{"Tex.utx", "Code.u"}));
    for (PackageItem& item : items_)
        item.namesInRegion.reset();
    items = Pass();
    SetDiskFaultHook(previous);
    EXPECT_EQ(items[2].requirements, Names{});
    items_ = listed;

    // The texture's line is gone from cache.ini: every entry number now finds the line after its
    // own, and the last finds none. The first item is now the script (classified again), the second
    // the map, the third nothing.
    test::WriteIndex(folder_.Path(), {lines_[1], lines_[2]});
    items = Pass();
    EXPECT_EQ(items[0].requirements, Names{});
    EXPECT_EQ(items[1].requirements, Names{"Code.u"});
    EXPECT_EQ(items[2].requirements, Names{});

    // With cache.ini unreadable, nothing is found again.
    folder_.Write("cache.ini", "");
    RemoveFile(folder_ / "cache.ini");
    items = Pass();
    for (const PackageItem& item : items)
        EXPECT_EQ(item.requirements, Names{}) << item.name;
}

}  // namespace
}  // namespace thld
