#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

#include "platform/folder_stamps.h"

namespace thld {

namespace {

std::int64_t Nanoseconds(const timespec& time) { return std::int64_t(time.tv_sec) * 1000000000 + time.tv_nsec; }

}  // namespace

std::optional<FolderStamps> FolderStamps::Read(const std::string& folder)
{
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir)
        return std::nullopt;
    const int descriptor = ::dirfd(dir.get());
    FolderStamps stamps;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        struct stat info {};
        if (entry->d_type != DT_REG && entry->d_type != DT_UNKNOWN) {
            FileStamp other;
            other.regular = false;
            stamps.Add(name, other);
            continue;
        }
        if (::fstatat(descriptor, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)) {
            FileStamp other;
            other.regular = false;
            stamps.Add(name, other);
            continue;
        }
#ifdef __APPLE__
        const timespec written = info.st_mtimespec, changed = info.st_ctimespec;
#else
        const timespec written = info.st_mtim, changed = info.st_ctim;
#endif
        stamps.Add(name, FileStamp{static_cast<std::uint64_t>(info.st_size), Nanoseconds(written), Nanoseconds(changed),
                                   static_cast<std::uint64_t>(info.st_ino), static_cast<std::uint64_t>(info.st_dev)});
    }
    stamps.Sort();
    return stamps;
}

}  // namespace thld
