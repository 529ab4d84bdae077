#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#ifdef __linux__
#include <sys/syscall.h>
#endif

#include "platform/anchored_folder.h"
#include "platform/file_error.h"
#include "platform/file_fault.h"

namespace thld {

namespace {

int Fd(const FileHandle& handle) { return static_cast<int>(handle.Native()); }

// The entry's own status, a link's for a link.
bool StatusOf(int folder, const std::string& name, struct stat& info)
{
    return ::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

}  // namespace

AnchoredFolder AnchoredFolder::Open(const std::string& folder)
{
    FileHandle handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!handle.IsOpen())
        ThrowFileError(errno, folder);
    return AnchoredFolder(std::move(handle), folder);
}

AnchoredFolder::Entry AnchoredFolder::At(const std::string& name) const
{
    struct stat info {};
    if (!StatusOf(Fd(handle_), name, info))
        return Entry::None;
    return S_ISREG(info.st_mode) ? Entry::File : Entry::Other;
}

std::optional<std::uint64_t> AnchoredFolder::FileLength(const std::string& name) const
{
    struct stat info {};
    if (!StatusOf(Fd(handle_), name, info) || !S_ISREG(info.st_mode))
        return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

void AnchoredFolder::Remove(const std::string& name) const
{
    detail::CheckFault(DiskStep::Remove, PathOf(name), true);
    struct stat info {};
    if (!StatusOf(Fd(handle_), name, info))
        ThrowFileError(errno, PathOf(name));
    if (!S_ISREG(info.st_mode))
        throw FileError(FileErrorCause::NotRegularFile, PathOf(name));
    if ((info.st_mode & 0222) == 0)  // as RemoveFile: a read-only file is not deleted
        ThrowFileError(EACCES, PathOf(name));
    if (::unlinkat(Fd(handle_), name.c_str(), 0) != 0)
        ThrowFileError(errno, PathOf(name));
}

void AnchoredFolder::MoveNoReplace(const std::string& name, const AnchoredFolder& to, const std::string& toName) const
{
    detail::CheckFault(DiskStep::Move, PathOf(name), true);
    struct stat info {};
    if (!StatusOf(Fd(handle_), name, info))
        ThrowFileError(errno, PathOf(name));
    if (!S_ISREG(info.st_mode))
        throw FileError(FileErrorCause::NotRegularFile, PathOf(name));
#if defined(__linux__) && defined(SYS_renameat2)
    constexpr unsigned kNoReplace = 1;  // RENAME_NOREPLACE
    if (::syscall(SYS_renameat2, Fd(handle_), name.c_str(), Fd(to.handle_), toName.c_str(), kNoReplace) == 0)
        return;
    if (errno != EINVAL && errno != ENOSYS)
        ThrowFileError(errno, PathOf(name));
#endif
    // A hard link refuses an existing target just the same.
    if (::linkat(Fd(handle_), name.c_str(), Fd(to.handle_), toName.c_str(), 0) != 0)
        ThrowFileError(errno, PathOf(name));
    if (::unlinkat(Fd(handle_), name.c_str(), 0) != 0) {
        const int saved = errno;
        ::unlinkat(Fd(to.handle_), toName.c_str(), 0);
        ThrowFileError(saved, PathOf(name));
    }
}

void AnchoredFolder::Sync() const
{
    detail::CheckFault(DiskStep::Sync, path_, true);
    if (::fsync(Fd(handle_)) != 0 && errno != EINVAL && errno != EROFS)
        ThrowFileError(errno, path_);
}

}  // namespace thld
