#include <gtest/gtest.h>

#include <string>

#include "cache/cached_file.h"
#include "platform/file.h"
#include "platform/file_fault.h"
#include "support/corpus.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

using test::TempFolder;

// The first 512 bytes of a file with names at the given offsets.
std::string Window(std::initializer_list<std::pair<std::size_t, std::string_view>> names)
{
    std::string window(kKindWindowSize, '.');
    for (auto [offset, name] : names)
        window.replace(offset, name.size(), name);
    return window;
}

class GetPackageKindTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::string cache = folder.Path();
};

TEST_F(GetPackageKindTest, ReadsTheFirst512BytesOfKeyDotUxx)
{
    folder.Write("ABC.uxx", Window({{0, "Engine"}, {20, "System"}, {40, "Core"}}) + "PointRegion Location Level.");
    EXPECT_EQ(GetPackageKind(cache, "ABC"), kind::Script);

    // A name straddling offset 511 is not in the window.
    folder.Write("EDGE.uxx", Window({{0, "Engine"}, {20, "System"}, {509, "Cor"}}) + "e....");
    EXPECT_EQ(GetPackageKind(cache, "EDGE"), kind::UnknownType);

    // Only key + ".uxx" is read: a file named like the key alone is never looked at.
    folder.Write("PLAIN", Window({{0, "Engine"}, {20, "System"}, {40, "Core"}}));
    EXPECT_EQ(GetPackageKind(cache, "PLAIN"), kind::NotAvailable);
}

TEST_F(GetPackageKindTest, ShortFilesAreSearchedInTheBytesTheyHave)
{
    folder.Write("SHORT.uxx", "EngineSystemCore.");
    EXPECT_EQ(GetPackageKind(cache, "SHORT"), kind::Script);
    folder.Write("TIGHT.uxx", "EngineSystemCore");  // "Core" ends on the last byte
    EXPECT_EQ(GetPackageKind(cache, "TIGHT"), kind::UnknownType);
    folder.Write("EMPTY.uxx", "");
    EXPECT_EQ(GetPackageKind(cache, "EMPTY"), kind::UnknownType);
}

TEST_F(GetPackageKindTest, EmptyKeysMissingFilesAndFolders)
{
    folder.Write(".uxx", Window({{0, "Engine"}, {20, "System"}, {40, "Core"}}));
    EXPECT_EQ(GetPackageKind(cache, ""), kind::Unknown);
    EXPECT_EQ(GetPackageKind(cache, "NOPE"), kind::NotAvailable);
    folder.MakeFolder("DIR.uxx");
    EXPECT_EQ(GetPackageKind(cache, "DIR"), kind::NotAvailable);
}

TEST_F(GetPackageKindTest, AReadFailureAfterTheOpenIsAFileError)
{
    folder.Write("ABC.uxx", "EngineSystemCore.");
    SetDiskFaultHook([](DiskStep step, const std::string&) -> std::optional<FileErrorCause> {
        if (step == DiskStep::Read)
            return FileErrorCause::Hardware;
        return std::nullopt;
    });
    EXPECT_THROW(GetPackageKind(cache, "ABC"), FileError);
    SetDiskFaultHook({});
}

#ifdef _WIN32
TEST_F(GetPackageKindTest, AFileHeldOpenElsewhereIsNotAvailable)
{
    folder.Write("HELD.uxx", "EngineSystemCore.");
    auto held = InputFile::OpenUnshared(folder / "HELD.uxx");
    ASSERT_TRUE(held);
    EXPECT_EQ(GetPackageKind(cache, "HELD"), kind::NotAvailable);
    held.reset();
    EXPECT_EQ(GetPackageKind(cache, "HELD"), kind::Script);
}
#endif

TEST(GetPackageKindCorpus, EveryRealPackageTakesTheKindOfTheManifest)
{
    THLD_REQUIRE_CORPUS();
    TempFolder game;
    auto laid = test::LayOutGameFolder(game.Path());
    ASSERT_EQ(laid.size(), 38u);
    std::string cache = game / "cache/";
    for (const auto& p : laid)
        EXPECT_EQ(GetPackageKind(cache, p.guid), p.kind) << p.file;
}

}  // namespace
}  // namespace thld
