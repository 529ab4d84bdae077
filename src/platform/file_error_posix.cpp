#include <cerrno>

#include "platform/file_error.h"

namespace thld {

FileErrorCause CauseFromSystemError(unsigned long code)
{
    switch (static_cast<int>(code)) {
    case 0:
        return FileErrorCause::None;
    case ENOENT:
        return FileErrorCause::NotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EXDEV:
    case ENODEV:
    case ENXIO:
        return FileErrorCause::BadPath;
    case EMFILE:
    case ENFILE:
        return FileErrorCause::TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EEXIST:
    case EISDIR:
    case ENOTEMPTY:
        return FileErrorCause::AccessDenied;
    case EBADF:
        return FileErrorCause::InvalidHandle;
    case EBUSY:
    case ETXTBSY:
        return FileErrorCause::Sharing;
    case EDEADLK:
    case ENOLCK:
        return FileErrorCause::Locking;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FileErrorCause::DiskFull;
    case EIO:
        return FileErrorCause::Hardware;
    case ESPIPE:
    case EOVERFLOW:
        return FileErrorCause::Seek;
    default:
        return FileErrorCause::Other;
    }
}

}  // namespace thld
