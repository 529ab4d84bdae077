#include <windows.h>

#include "platform/file_error.h"

namespace thld {

FileErrorCause CauseFromSystemError(unsigned long code)
{
    switch (code) {
    case NO_ERROR:
        return FileErrorCause::None;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_NO_MORE_FILES:
    case ERROR_OPEN_FAILED:
        return FileErrorCause::NotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_SAME_DEVICE:
    case ERROR_WRONG_DISK:
    case ERROR_DUP_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_BAD_NET_NAME:
    case ERROR_ALREADY_ASSIGNED:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
        return FileErrorCause::BadPath;
    case ERROR_TOO_MANY_OPEN_FILES:
    case ERROR_SHARING_BUFFER_EXCEEDED:
    case ERROR_TOO_MANY_NAMES:
    case ERROR_TOO_MANY_SESS:
    case ERROR_SHARING_PAUSED:
    case ERROR_REQ_NOT_ACCEP:
        return FileErrorCause::TooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_INVALID_ACCESS:
    case ERROR_WRITE_PROTECT:
    case ERROR_WRITE_FAULT:
    case ERROR_NETWORK_BUSY:
    case ERROR_BAD_NET_RESP:
    case ERROR_NETNAME_DELETED:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
    case ERROR_CANNOT_MAKE:
    case ERROR_INVALID_PASSWORD:
    case ERROR_DIR_NOT_EMPTY:
        return FileErrorCause::AccessDenied;
    case ERROR_INVALID_HANDLE:
        return FileErrorCause::InvalidHandle;
    case ERROR_CURRENT_DIRECTORY:
        return FileErrorCause::CurrentFolder;
    case ERROR_NO_SPOOL_SPACE:
        return FileErrorCause::FolderFull;
    case ERROR_BAD_LENGTH:
    case ERROR_SEEK:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_READ_FAULT:
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK_ON_DEVICE:
        return FileErrorCause::Seek;
    case ERROR_BAD_UNIT:
    case ERROR_NOT_READY:
    case ERROR_BAD_COMMAND:
    case ERROR_CRC:
    case ERROR_ADAP_HDW_ERR:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_NET_WRITE_FAULT:
    case ERROR_IO_DEVICE:
        return FileErrorCause::Hardware;
    case ERROR_SHARING_VIOLATION:
        return FileErrorCause::Sharing;
    case ERROR_LOCK_VIOLATION:
    case ERROR_DRIVE_LOCKED:
        return FileErrorCause::Locking;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return FileErrorCause::DiskFull;
    case ERROR_HANDLE_EOF:
        return FileErrorCause::EndOfFile;
    default:
        return FileErrorCause::Other;
    }
}

}  // namespace thld
