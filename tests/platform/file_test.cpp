#include <gtest/gtest.h>

#include <vector>

#include "platform/file.h"
#include "platform/file_fault.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

using test::TempFolder;

TEST(InputFile, ReadsAtOffsetsAndStopsShortAtTheEnd)
{
    TempFolder folder;
    folder.Write("data", "0123456789");
    auto file = InputFile::OpenUnshared(folder / "data");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Length(), 10u);
    char buffer[8] = {};
    EXPECT_EQ(file->ReadAt(3, buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "3456");
    EXPECT_EQ(file->ReadAt(7, buffer, 8), 3u);
    EXPECT_EQ(std::string(buffer, 3), "789");
    EXPECT_EQ(file->ReadAt(10, buffer, 8), 0u);
    EXPECT_EQ(file->ReadAt(100, buffer, 8), 0u);
}

TEST(InputFile, MissingFilesAndFoldersDoNotOpen)
{
    TempFolder folder;
    folder.MakeFolder("sub.uxx");
    EXPECT_FALSE(InputFile::OpenUnshared(folder / "missing"));
    EXPECT_FALSE(InputFile::OpenUnshared(folder / "sub.uxx"));
    EXPECT_FALSE(CanOpenUnshared(folder / "sub.uxx"));
    EXPECT_FALSE(CanOpenUnshared(folder / "missing"));
    folder.Write("here", "");
    EXPECT_TRUE(CanOpenUnshared(folder / "here"));
}

#ifdef _WIN32
TEST(InputFile, NoSecondOpenWhileOneIsHeld)
{
    TempFolder folder;
    folder.Write("held", "x");
    auto first = InputFile::OpenUnshared(folder / "held");
    ASSERT_TRUE(first);
    EXPECT_FALSE(InputFile::OpenUnshared(folder / "held"));
    EXPECT_FALSE(CanOpenUnshared(folder / "held"));
    first.reset();
    EXPECT_TRUE(CanOpenUnshared(folder / "held"));
}
#endif

TEST(OutputFile, CreatesTruncatesAndRefusesToReplaceWhenAskedForANewFile)
{
    TempFolder folder;
    {
        auto out = OutputFile::Create(folder / "out");
        out.Write("first version, long");
        out.Flush();
        out.Close();
    }
    {
        auto out = OutputFile::Create(folder / "out");
        out.Write("second");
        out.Close();
    }
    EXPECT_EQ(folder.Read("out"), "second");
    EXPECT_THROW(OutputFile::Create(folder / "out", OutputFile::Mode::CreateNew), FileError);
    EXPECT_EQ(folder.Read("out"), "second");
}

TEST(MoveAndRemove, MoveRenamesAndRemoveDeletes)
{
    TempFolder folder;
    folder.Write("a", "bytes");
    MoveFileNoReplace(folder / "a", folder / "b");
    EXPECT_FALSE(folder.Exists("a"));
    EXPECT_EQ(folder.Read("b"), "bytes");
    RemoveFile(folder / "b");
    EXPECT_FALSE(folder.Exists("b"));
}

TEST(DiskFaultHook, MakesTheChosenStepFailWithItsCause)
{
    TempFolder folder;
    folder.Write("a", "bytes");
    std::vector<DiskStep> seen;
    SetDiskFaultHook([&](DiskStep step, const std::string&) -> std::optional<FileErrorCause> {
        seen.push_back(step);
        if (step == DiskStep::Move)
            return FileErrorCause::DiskFull;
        return std::nullopt;
    });
    EXPECT_TRUE(CanOpenUnshared(folder / "a"));
    try {
        MoveFileNoReplace(folder / "a", folder / "b");
        ADD_FAILURE() << "the move went through";
    } catch (const FileError& error) {
        EXPECT_EQ(error.Cause(), FileErrorCause::DiskFull);
    }
    SetDiskFaultHook({});
    EXPECT_EQ(seen, (std::vector<DiskStep>{DiskStep::OpenRead, DiskStep::Move}));
    EXPECT_TRUE(folder.Exists("a"));
    EXPECT_FALSE(folder.Exists("b"));
}

}  // namespace
}  // namespace thld
