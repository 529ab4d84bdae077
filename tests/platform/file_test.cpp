#include <gtest/gtest.h>

#include <vector>

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include "platform/file.h"
#include "platform/file_fault.h"
#include "support/page_cache.h"
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

#ifndef _WIN32  // Windows doesn't tell
// The read-ahead for cold files starts on what the system tells of a read: bytes just written are
// in memory, bytes it was asked to forget come from the disk. The bytes are the same either way.
TEST(InputFile, TellsWhetherAReadCameFromTheDisk)
{
    TempFolder folder;
    const std::string bytes(64 * 1024, 'x');
    folder.Write("data", bytes);
    std::string read(bytes.size(), '\0');
    auto source = [&](std::uint64_t offset) {
        auto file = InputFile::OpenUnshared(folder / "data");
        const InputFile::Read got = file->ReadAtTellingSource(offset, read.data(), bytes.size());
        EXPECT_EQ(read.substr(0, got.count), bytes.substr(offset));
        return got.source;
    };
    if (source(0) == InputFile::Source::NotKnown)
        GTEST_SKIP() << "this system doesn't tell where a read's bytes come from";
    EXPECT_EQ(source(0), InputFile::Source::Memory);
    EXPECT_EQ(source(bytes.size() - 10), InputFile::Source::Memory);  // short at the end
    // A read that waits for the disk is still one read to the fault hook.
    int reads = 0;
    auto previous = SetDiskFaultHook([&](DiskStep step, const std::string&) -> std::optional<FileErrorCause> {
        reads += step == DiskStep::Read;
        return std::nullopt;
    });
    const bool cold = test::DropFromMemory(folder / "data") && source(0) == InputFile::Source::Disk;
    SetDiskFaultHook(previous);
    if (!cold)
        GTEST_SKIP() << "the temporary folder's file system keeps its files in memory";
    EXPECT_EQ(reads, 1);
}
#endif

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

// Only a regular file opens; anything else is refused with its reason before a byte is read, and
// at once (a FIFO that no program writes would otherwise hold the open for good).
TEST(InputFile, OnlyRegularFilesOpen)
{
    TempFolder folder;
    folder.MakeFolder("sub.uxx");
    struct Case {
        std::string path;
        FileErrorCause cause;
    };
    std::vector<Case> cases = {
        {folder / "missing", FileErrorCause::NotFound},
        {folder / "sub.uxx", FileErrorCause::NotRegularFile},
    };
#ifdef _WIN32
    cases.push_back({"\\\\.\\NUL", FileErrorCause::NotRegularFile});
#else
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0644), 0);
    ASSERT_EQ(::symlink("/dev/zero", (folder / "zero").c_str()), 0);
    cases.push_back({folder / "fifo", FileErrorCause::NotRegularFile});
    cases.push_back({folder / "zero", FileErrorCause::NotRegularFile});
    cases.push_back({"/dev/null", FileErrorCause::NotRegularFile});
    // A socket and a link to itself: the system refuses their opens with causes of their own.
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = folder / "socket";
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::symlink((folder / "loop").c_str(), (folder / "loop").c_str()), 0);
    cases.push_back({socketPath, FileErrorCause::NotRegularFile});
    cases.push_back({folder / "loop", FileErrorCause::NotRegularFile});
#endif
    for (const Case& c : cases) {
        try {
            InputFile::Open(c.path);
            ADD_FAILURE() << c.path << " opened";
        } catch (const FileError& error) {
            EXPECT_EQ(error.Cause(), c.cause) << c.path;
            EXPECT_EQ(error.FileName(), c.path);
        }
        EXPECT_FALSE(CanOpenUnshared(c.path)) << c.path;
    }
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
