#include <cerrno>
#include <sys/stat.h>

#include "platform/file.h"
#include "platform/pending_removal.h"

namespace thld {

std::optional<PendingRemoval> PendingRemoval::Begin(const std::string& path, const std::string& aside)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        if (errno == ENOENT)
            return std::nullopt;
        ThrowFileError(errno, path);
    }
    // As RemoveFile would refuse it: a folder, or a read-only file (a link is never read-only).
    if (S_ISDIR(info.st_mode) || (!S_ISLNK(info.st_mode) && (info.st_mode & 0222) == 0))
        ThrowFileError(EACCES, path);
    MoveFileNoReplace(path, aside);  // a link moves itself
    return PendingRemoval(path, aside, FileHandle());
}

void PendingRemoval::Finish()
{
    pending_ = false;
    RemoveFile(aside_);
}

void PendingRemoval::PutBack() noexcept
{
    try {
        MoveFileNoReplace(aside_, path_);
    } catch (const FileError&) {
        // The file stays under its other name; the error that led here is the one to report.
    }
}

}  // namespace thld
