#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "platform/exclusive_lock.h"
#include "platform/file_error.h"

namespace thld {

FileHandle ExclusiveLock::OpenLockFile(const std::string& path)
{
    FileHandle handle(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644));
    if (!handle.IsOpen())
        ThrowFileError(errno, path);
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
    if (::fcntl(static_cast<int>(handle.Native()), command, &range) == 0)
        return true;
    if (errno == EAGAIN || errno == EACCES || errno == EINTR)
        return false;
    ThrowFileError(errno, path);
}

}  // namespace thld
