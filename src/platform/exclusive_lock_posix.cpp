#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "platform/exclusive_lock.h"
#include "platform/file_error.h"

namespace thld {

namespace {
int Fd(const FileHandle& handle) { return static_cast<int>(handle.Native()); }
}  // namespace

FileHandle ExclusiveLock::OpenLockFile(const std::string& path)
{
    struct stat named {};
    if (::lstat(path.c_str(), &named) == 0 && S_ISLNK(named.st_mode))
        throw FileError(FileErrorCause::Link, path);
    FileHandle handle(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0644));
    if (!handle.IsOpen()) {
        if (errno == ELOOP)
            throw FileError(FileErrorCause::Link, path);
        if (errno == EISDIR)
            throw FileError(FileErrorCause::NotRegularFile, path);
        ThrowFileError(errno, path);
    }
    // A lock on anything but one's own regular file is no lock that every program takes the same way:
    // another user's file (left by a killed program run as root, say) is refused by that user's programs.
    struct stat open {};
    if (::fstat(Fd(handle), &open) != 0)
        ThrowFileError(errno, path);
    if (!S_ISREG(open.st_mode))
        throw FileError(FileErrorCause::NotRegularFile, path);
    if (open.st_uid != ::geteuid())
        throw FileError(FileErrorCause::OtherOwner, path);
    return handle;
}

// A record lock on the first byte, as Wine's LockFileEx takes one: an open file description's own
// lock where the system has them (two in one process exclude each other too), else the process's.
bool ExclusiveLock::TryLock(const FileHandle& handle, const std::string& path)
{
    struct flock range {};
    range.l_type = F_WRLCK;
    range.l_whence = SEEK_SET;
    range.l_start = 0;
    range.l_len = 1;
#ifdef F_OFD_SETLK
    const int command = F_OFD_SETLK;
#else
    const int command = F_SETLK;
#endif
    if (::fcntl(Fd(handle), command, &range) == 0)
        return true;
    if (errno == EAGAIN || errno == EACCES || errno == EINTR)
        return false;
    ThrowFileError(errno, path);
}

bool ExclusiveLock::StillNamed(const FileHandle& handle, const std::string& path)
{
    struct stat open {};
    struct stat named {};
    return ::fstat(Fd(handle), &open) == 0 && ::lstat(path.c_str(), &named) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
}

// Removed while still locked, so that no other program takes a lock on it meanwhile.
void ExclusiveLock::Release() noexcept
{
    ::unlink(path_.c_str());
    handle_.Close();
}

}  // namespace thld
