#pragma once
// File errors: the one way a failed disk operation is reported. The platform raises a FileError
// carrying the cause; commands let it pass, and the main window shows it at its command dispatch.

#include <stdexcept>
#include <string>

namespace thld {

enum class FileErrorCause {
    None,
    Other,
    NotFound,
    BadPath,
    TooManyOpenFiles,
    AccessDenied,
    InvalidHandle,
    CurrentFolder,
    FolderFull,
    Seek,
    Hardware,
    Sharing,
    Locking,
    DiskFull,
    EndOfFile,
    NotRegularFile,  // a folder, FIFO, device or socket where a file was to be read
    TooLarge,        // a file far larger than any the program reads of its kind
    Link,            // a link where only a file of its own is taken (the cache's lock)
    OtherOwner,      // a file of another user's where only one's own is taken (the cache's lock)
};

// The user-facing text for a cause, with fileName in place of %1 ("an unnamed file" when empty).
std::string FileErrorText(FileErrorCause cause, const std::string& fileName = std::string());

// Maps the system's error code (GetLastError() on Windows, errno elsewhere) to a cause.
FileErrorCause CauseFromSystemError(unsigned long code);

class FileError : public std::runtime_error {
public:
    FileError(FileErrorCause cause, std::string fileName, unsigned long systemCode = 0);

    FileErrorCause Cause() const { return cause_; }
    const std::string& FileName() const { return fileName_; }
    unsigned long SystemCode() const { return systemCode_; }

    // The text the user sees: the cause's wording with "an unnamed file" for %1.
    std::string UserText() const { return FileErrorText(cause_); }

private:
    FileErrorCause cause_;
    std::string fileName_;
    unsigned long systemCode_;
};

// Raises the FileError for the system error code just seen on fileName.
[[noreturn]] void ThrowFileError(unsigned long systemCode, const std::string& fileName);

}  // namespace thld
