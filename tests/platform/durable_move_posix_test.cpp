#include <gtest/gtest.h>
#include <sys/mount.h>

#include <filesystem>

#include "platform/durable_move.h"
#include "platform/file_fault.h"
#include "platform/folder.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

// A file system of its own, mounted on a folder of the test (tmpfs; needs root): the move to it
// can't be a rename.
class OtherFileSystem {
public:
    OtherFileSystem(const test::TempFolder& folder, const char* name, bool readOnly) : path_(folder / name)
    {
        folder.MakeFolder(name);
        mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", readOnly ? MS_RDONLY : 0, "size=4m") == 0;
    }
    ~OtherFileSystem()
    {
        if (mounted_)
            ::umount(path_.c_str());
    }
    OtherFileSystem(const OtherFileSystem&) = delete;
    OtherFileSystem& operator=(const OtherFileSystem&) = delete;
    bool Mounted() const { return mounted_; }
    std::string Path() const { return path_ + "/"; }

private:
    std::string path_;
    bool mounted_ = false;
};

#define SKIP_UNLESS_MOUNTED(fs)                                                                            \
    if (!(fs).Mounted())                                                                                   \
    GTEST_SKIP() << "no tmpfs could be mounted here (root and mount(2) are needed): the move across file " \
                    "systems is not tried"

TEST(DurableMove, CopiesAcrossFileSystemsAndLeavesTheSourceToTheCaller)
{
    test::TempFolder folder;
    OtherFileSystem maps(folder, "Maps", false);
    SKIP_UNLESS_MOUNTED(maps);
    const std::string bytes(3 << 20, 'x');  // more than one chunk of the copy
    folder.Write("K.uxx", bytes);
    EXPECT_EQ(MoveFileDurably(folder / "K.uxx", maps.Path() + "Map.unr"), MoveResult::Copied);
    EXPECT_EQ(test::ReadFileBytes(maps.Path() + "Map.unr"), bytes);
    EXPECT_TRUE(folder.Exists("K.uxx"));
    EXPECT_EQ(FolderEntries(maps.Path()), std::vector<std::string>{"Map.unr"});
}

TEST(DurableMove, ACopyThatFailsAtAnyStepLeavesNothingAtTheDestination)
{
    test::TempFolder folder;
    OtherFileSystem maps(folder, "Maps", false);
    SKIP_UNLESS_MOUNTED(maps);
    folder.Write("K.uxx", "package");
    const std::string to = maps.Path() + "Map.unr";
    for (DiskStep failing :
         {DiskStep::OpenRead, DiskStep::Create, DiskStep::Read, DiskStep::Write, DiskStep::Flush, DiskStep::Close}) {
        SCOPED_TRACE(static_cast<int>(failing));
        auto previous = SetDiskFaultHook([&](DiskStep step, const std::string&) -> std::optional<FileErrorCause> {
            return step == failing ? std::optional(FileErrorCause::DiskFull) : std::nullopt;
        });
        EXPECT_THROW(MoveFileDurably(folder / "K.uxx", to), FileError);
        SetDiskFaultHook(std::move(previous));
        EXPECT_EQ(folder.Read("K.uxx"), "package");
        EXPECT_EQ(FolderEntries(maps.Path()), std::vector<std::string>{});
    }
}

TEST(DurableMove, AReadOnlySourceThatCouldNotGoAfterACopyIsRefusedFirst)
{
    test::TempFolder folder;
    OtherFileSystem maps(folder, "Maps", false);
    SKIP_UNLESS_MOUNTED(maps);
    folder.Write("K.uxx", "package");
    std::filesystem::permissions(folder / "K.uxx", std::filesystem::perms::owner_read);
    try {
        MoveFileDurably(folder / "K.uxx", maps.Path() + "Map.unr");
        ADD_FAILURE() << "moved";
    } catch (const FileError& error) {
        EXPECT_EQ(error.FileName(), folder / "K.uxx");
    }
    EXPECT_EQ(FolderEntries(maps.Path()), std::vector<std::string>{});
}

TEST(DurableMove, AReadOnlyDestinationIsNamedAsTheCause)
{
    test::TempFolder folder;
    OtherFileSystem maps(folder, "Maps", true);
    SKIP_UNLESS_MOUNTED(maps);
    folder.Write("K.uxx", "package");
    try {
        MoveFileDurably(folder / "K.uxx", maps.Path() + "Map.unr");
        ADD_FAILURE() << "moved";
    } catch (const FileError& error) {
        EXPECT_EQ(error.FileName(), maps.Path() + "Map.unr");
        EXPECT_EQ(error.Cause(), FileErrorCause::AccessDenied);
    }
    EXPECT_EQ(folder.Read("K.uxx"), "package");
}

}  // namespace
}  // namespace thld
