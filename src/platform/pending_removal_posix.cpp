#include <sys/stat.h>
#include <cerrno>

#include "platform/file.h"
#include "platform/pending_removal.h"

namespace thld {

namespace {

// False when nothing is at `path`; raises FileError where RemoveFile would refuse it: a folder, or a
// read-only file (a link is never read-only).
bool CanGo(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        if (errno == ENOENT)
            return false;
        ThrowFileError(errno, path);
    }
    if (S_ISDIR(info.st_mode) || (!S_ISLNK(info.st_mode) && (info.st_mode & 0222) == 0))
        ThrowFileError(EACCES, path);
    return true;
}

}  // namespace

std::optional<PendingRemoval> PendingRemoval::Begin(const std::string& path, const std::string& aside)
{
    if (!CanGo(path))
        return std::nullopt;
    MoveFileNoReplace(path, aside);  // a link moves itself
    return PendingRemoval(path, aside, FileHandle());
}

std::optional<PendingRemoval> PendingRemoval::BeginInPlace(const std::string& path, const std::string&)
{
    if (!CanGo(path))
        return std::nullopt;
    return PendingRemoval(path, path, FileHandle());
}

void PendingRemoval::Finish()
{
    pending_ = false;
    RemoveFile(aside_);
}

void PendingRemoval::PutBack() noexcept
{
    if (aside_ == path_)
        return;  // it never moved
    try {
        MoveFileNoReplace(aside_, path_);
    } catch (const FileError&) {
        // The file stays under its other name; the error that led here is the one to report.
    }
}

}  // namespace thld
