#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "platform/durable_move.h"
#include "platform/file.h"
#include "platform/file_fault.h"
#include "platform/file_handle.h"

namespace thld {

void SyncFolder(const std::string& folder)
{
    detail::CheckFault(DiskStep::Sync, folder, true);
    FileHandle handle(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.IsOpen() && ::fsync(static_cast<int>(handle.Native())) != 0 && errno != EINVAL && errno != EROFS)
        ThrowFileError(errno, folder);
}

namespace detail {
bool RenameOnSameDevice(const std::string& from, const std::string& to)
{
    try {
        MoveFileNoReplace(from, to);
        return true;
    } catch (const FileError& e) {
        if (e.SystemCode() == EXDEV)
            return false;
        throw;
    }
}
void RefuseUnremovable(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && !S_ISLNK(info.st_mode) && (info.st_mode & 0222) == 0)
        throw FileError(FileErrorCause::AccessDenied, path, EACCES);
}
}  // namespace detail

}  // namespace thld
