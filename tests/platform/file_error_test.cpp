#include <cerrno>
#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "platform/file.h"
#include "platform/file_error.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

using test::TempFolder;

TEST(FileErrorText, EveryCauseHasItsWordingWithTheNameOrAnUnnamedFile)
{
    struct Case {
        FileErrorCause cause;
        const char* text;
    };
    const Case cases[] = {
        {FileErrorCause::None, "No error occurred."},
        {FileErrorCause::Other, "An unknown error occurred while accessing an unnamed file."},
        {FileErrorCause::NotFound, "an unnamed file was not found."},
        {FileErrorCause::BadPath, "an unnamed file contains an invalid path."},
        {FileErrorCause::TooManyOpenFiles,
         "an unnamed file could not be opened because there are too many open files."},
        {FileErrorCause::AccessDenied, "Access to an unnamed file was denied."},
        {FileErrorCause::InvalidHandle, "An invalid file handle was associated with an unnamed file."},
        {FileErrorCause::CurrentFolder, "an unnamed file could not be removed because it is the current directory."},
        {FileErrorCause::FolderFull, "an unnamed file could not be created because the directory is full."},
        {FileErrorCause::Seek, "Seek failed on an unnamed file"},
        {FileErrorCause::Hardware, "A hardware I/O error was reported while accessing an unnamed file."},
        {FileErrorCause::Sharing, "A sharing violation occurred while accessing an unnamed file."},
        {FileErrorCause::Locking, "A locking violation occurred while accessing an unnamed file."},
        {FileErrorCause::DiskFull, "Disk full while accessing an unnamed file."},
        {FileErrorCause::EndOfFile, "An attempt was made to access an unnamed file past its end."},
        {FileErrorCause::NotRegularFile, "an unnamed file is not a regular file."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileErrorText(c.cause), c.text);
    EXPECT_EQ(FileErrorText(FileErrorCause::AccessDenied, "C:\\UT\\cache\\cache.ini"),
              "Access to C:\\UT\\cache\\cache.ini was denied.");

    FileError error(FileErrorCause::NotFound, "x.uxx");
    EXPECT_EQ(error.UserText(), "an unnamed file was not found.");
    EXPECT_STREQ(error.what(), "x.uxx was not found.");
}

FileErrorCause CauseOf(const std::function<void()>& operation)
{
    try {
        operation();
    } catch (const FileError& error) {
        return error.Cause();
    }
    ADD_FAILURE() << "no file error was raised";
    return FileErrorCause::None;
}

TEST(FileErrorCauses, RealFailuresAreTakenToTheirCauses)
{
    TempFolder folder;
    folder.Write("plain", "x");
    folder.Write("target", "y");

    EXPECT_EQ(CauseOf([&] { RemoveFile(folder / "missing"); }), FileErrorCause::NotFound);
    EXPECT_EQ(CauseOf([&] { OutputFile::Create(folder / "plain/below"); }), FileErrorCause::BadPath);
    // The move never replaces: the target that is there refuses it.
    EXPECT_EQ(CauseOf([&] { MoveFileNoReplace(folder / "plain", folder / "target"); }), FileErrorCause::AccessDenied);
    EXPECT_EQ(folder.Read("target"), "y");
    EXPECT_EQ(folder.Read("plain"), "x");
}

#ifdef _WIN32
TEST(FileErrorCauses, SystemCodesOfWindows)
{
    EXPECT_EQ(CauseFromSystemError(2), FileErrorCause::NotFound);          // ERROR_FILE_NOT_FOUND
    EXPECT_EQ(CauseFromSystemError(3), FileErrorCause::BadPath);           // ERROR_PATH_NOT_FOUND
    EXPECT_EQ(CauseFromSystemError(5), FileErrorCause::AccessDenied);      // ERROR_ACCESS_DENIED
    EXPECT_EQ(CauseFromSystemError(32), FileErrorCause::Sharing);          // ERROR_SHARING_VIOLATION
    EXPECT_EQ(CauseFromSystemError(33), FileErrorCause::Locking);          // ERROR_LOCK_VIOLATION
    EXPECT_EQ(CauseFromSystemError(112), FileErrorCause::DiskFull);        // ERROR_DISK_FULL
    EXPECT_EQ(CauseFromSystemError(6), FileErrorCause::InvalidHandle);     // ERROR_INVALID_HANDLE
    EXPECT_EQ(CauseFromSystemError(38), FileErrorCause::EndOfFile);        // ERROR_HANDLE_EOF
    EXPECT_EQ(CauseFromSystemError(16), FileErrorCause::CurrentFolder);    // ERROR_CURRENT_DIRECTORY
    EXPECT_EQ(CauseFromSystemError(4), FileErrorCause::TooManyOpenFiles);  // ERROR_TOO_MANY_OPEN_FILES
    EXPECT_EQ(CauseFromSystemError(99999), FileErrorCause::Other);
}

TEST(FileErrorCauses, AFileHeldOpenGivesASharingViolation)
{
    TempFolder folder;
    folder.Write("held", "x");
    auto held = InputFile::OpenUnshared(folder / "held");
    ASSERT_TRUE(held);
    EXPECT_EQ(CauseOf([&] { RemoveFile(folder / "held"); }), FileErrorCause::Sharing);
    EXPECT_FALSE(InputFile::OpenUnshared(folder / "held"));
}
#else
TEST(FileErrorCauses, SystemCodesOfPosix)
{
    EXPECT_EQ(CauseFromSystemError(ENOENT), FileErrorCause::NotFound);
    EXPECT_EQ(CauseFromSystemError(ENOTDIR), FileErrorCause::BadPath);
    EXPECT_EQ(CauseFromSystemError(EACCES), FileErrorCause::AccessDenied);
    EXPECT_EQ(CauseFromSystemError(EBUSY), FileErrorCause::Sharing);
    EXPECT_EQ(CauseFromSystemError(ENOLCK), FileErrorCause::Locking);
    EXPECT_EQ(CauseFromSystemError(ENOSPC), FileErrorCause::DiskFull);
    EXPECT_EQ(CauseFromSystemError(EMFILE), FileErrorCause::TooManyOpenFiles);
    EXPECT_EQ(CauseFromSystemError(EIO), FileErrorCause::Hardware);
    EXPECT_EQ(CauseFromSystemError(99999), FileErrorCause::Other);
}
#endif

TEST(FileErrorCauses, AReadOnlyFileIsNotDeleted)
{
    TempFolder folder;
    folder.Write("locked", "x");
    std::filesystem::permissions(folder / "locked", std::filesystem::perms::all & ~std::filesystem::perms::owner_write &
                                                        ~std::filesystem::perms::group_write &
                                                        ~std::filesystem::perms::others_write);
    EXPECT_EQ(CauseOf([&] { RemoveFile(folder / "locked"); }), FileErrorCause::AccessDenied);
    EXPECT_TRUE(folder.Exists("locked"));
}

}  // namespace
}  // namespace thld
