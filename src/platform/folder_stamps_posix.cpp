#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <memory>
#include <thread>
#include <vector>

#include "platform/folder_stamps.h"

namespace thld {

namespace {

// Below this many files one thread asks for every status; above, the work is shared.
constexpr std::size_t kFilesForThreads = 4096;

std::int64_t Nanoseconds(const timespec& time) { return std::int64_t(time.tv_sec) * 1000000000 + time.tv_nsec; }

FileStamp NotAFile()
{
    FileStamp stamp;
    stamp.regular = false;
    return stamp;
}

FileStamp StampOf(const struct stat& info)
{
    if (!S_ISREG(info.st_mode))
        return NotAFile();
#ifdef __APPLE__
    const timespec written = info.st_mtimespec, changed = info.st_ctimespec;
#else
    const timespec written = info.st_mtim, changed = info.st_ctim;
#endif
    return FileStamp{static_cast<std::uint64_t>(info.st_size), Nanoseconds(written), Nanoseconds(changed),
                     static_cast<std::uint64_t>(info.st_ino), static_cast<std::uint64_t>(info.st_dev)};
}

// The stamp of an entry of the folder, without following a link; a stamp marked not regular for
// anything but a regular file.
FileStamp StampAt(int folder, const char* name)
{
    struct stat info {};
    return ::fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) == 0 ? StampOf(info) : NotAFile();
}

}  // namespace

std::optional<FileStamp> ReadFileStamp(const std::string& folder, const std::string& name)
{
    if (name.empty() || name.find('/') != std::string::npos)
        return std::nullopt;
    struct stat info {};
    if (::fstatat(AT_FDCWD, (folder + name).c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0)
        return StampOf(info);
    if (errno == ENOENT)
        return std::nullopt;
    return NotAFile();
}

std::unique_ptr<FolderStamps> FolderStamps::Read(const std::string& folder)
{
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir)
        return nullptr;
    const int descriptor = ::dirfd(dir.get());
    std::unique_ptr<FolderStamps> made(new FolderStamps);
    FolderStamps& stamps = *made;
    std::vector<std::size_t> toAsk;  // entries whose status is asked for
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        FileStamp stamp;
        stamp.regular = entry->d_type == DT_REG || entry->d_type == DT_UNKNOWN;
        if (stamp.regular)
            toAsk.push_back(stamps.entries_.size());
        stamps.Add(name, stamp);
    }
    // The names are NUL-terminated in one buffer of their own for fstatat.
    std::string names;
    std::vector<std::size_t> at(toAsk.size());
    for (std::size_t i = 0; i < toAsk.size(); ++i) {
        at[i] = names.size();
        names.append(stamps.NameOf(stamps.entries_[toAsk[i]]));
        names.push_back('\0');
    }
    auto ask = [&](std::size_t begin, std::size_t step) {
        for (std::size_t i = begin; i < toAsk.size(); i += step)
            stamps.entries_[toAsk[i]].stamp = StampAt(descriptor, names.data() + at[i]);
    };
    const std::size_t threads = toAsk.size() < kFilesForThreads
                                    ? 1
                                    : std::min<std::size_t>(8, std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::thread> helpers;
    try {
        for (std::size_t t = 1; t < threads; ++t)
            helpers.emplace_back(ask, t, threads);
    } catch (const std::system_error&) {}
    // The shares of threads that could not be started are this thread's.
    for (std::size_t t = helpers.size() + 1; t < threads; ++t)
        ask(t, threads);
    ask(0, threads);
    for (std::thread& helper : helpers)
        helper.join();
    stamps.Index();
    return made;
}

}  // namespace thld
