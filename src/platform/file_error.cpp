#include "platform/file_error.h"

namespace thld {

namespace {

const char* Wording(FileErrorCause cause)
{
    switch (cause) {
    case FileErrorCause::None:
        return "No error occurred.";
    case FileErrorCause::Other:
        return "An unknown error occurred while accessing %1.";
    case FileErrorCause::NotFound:
        return "%1 was not found.";
    case FileErrorCause::BadPath:
        return "%1 contains an invalid path.";
    case FileErrorCause::TooManyOpenFiles:
        return "%1 could not be opened because there are too many open files.";
    case FileErrorCause::AccessDenied:
        return "Access to %1 was denied.";
    case FileErrorCause::InvalidHandle:
        return "An invalid file handle was associated with %1.";
    case FileErrorCause::CurrentFolder:
        return "%1 could not be removed because it is the current directory.";
    case FileErrorCause::FolderFull:
        return "%1 could not be created because the directory is full.";
    case FileErrorCause::Seek:
        return "Seek failed on %1";
    case FileErrorCause::Hardware:
        return "A hardware I/O error was reported while accessing %1.";
    case FileErrorCause::Sharing:
        return "A sharing violation occurred while accessing %1.";
    case FileErrorCause::Locking:
        return "A locking violation occurred while accessing %1.";
    case FileErrorCause::DiskFull:
        return "Disk full while accessing %1.";
    case FileErrorCause::EndOfFile:
        return "An attempt was made to access %1 past its end.";
    case FileErrorCause::NotRegularFile:
        return "%1 is not a regular file.";
    case FileErrorCause::TooLarge:
        return "%1 is too large to be read.";
    case FileErrorCause::Link:
        return "%1 is a link, not a file of its own.";
    case FileErrorCause::OtherOwner:
        return "%1 belongs to another user.";
    }
    return "An unknown error occurred while accessing %1.";
}

}  // namespace

std::string FileErrorText(FileErrorCause cause, const std::string& fileName)
{
    std::string text = Wording(cause);
    const std::string name = fileName.empty() ? std::string("an unnamed file") : fileName;
    if (auto at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, name);
    return text;
}

FileError::FileError(FileErrorCause cause, std::string fileName, unsigned long systemCode)
    : std::runtime_error(FileErrorText(cause, fileName)),
      cause_(cause),
      fileName_(std::move(fileName)),
      systemCode_(systemCode)
{}

void ThrowFileError(unsigned long systemCode, const std::string& fileName)
{
    throw FileError(CauseFromSystemError(systemCode), fileName, systemCode);
}

}  // namespace thld
