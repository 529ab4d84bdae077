#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>

#include "platform/file.h"
#include "platform/file_fault.h"

namespace thld {

namespace {
int Fd(const FileHandle& handle) { return static_cast<int>(handle.Native()); }
}  // namespace

// What Open() and OpenIn() share once the system has answered the open.
InputFile InputFile::Checked(FileHandle handle, const std::string& path)
{
    // A socket (ENXIO) and a link that leads round in a loop (ELOOP) are no regular files either.
    if (!handle.IsOpen()) {
        if (errno == ENXIO || errno == ELOOP)
            throw FileError(FileErrorCause::NotRegularFile, path);
        ThrowFileError(errno, path);
    }
    struct stat info {};
    if (::fstat(Fd(handle), &info) != 0)
        ThrowFileError(errno, path);
    if (!S_ISREG(info.st_mode))
        throw FileError(FileErrorCause::NotRegularFile, path);
    // The open learns the length anyway: Length() gives it without asking again.
    return InputFile(std::move(handle), path, static_cast<std::uint64_t>(info.st_size),
                     static_cast<std::int64_t>(info.st_mtime));
}

namespace {

// Without O_NONBLOCK the open of a FIFO waits for a writer, for good; O_NOCTTY keeps a terminal from
// becoming the program's own. Reads of a regular file never wait, whatever the flag.
constexpr int kReadFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;

}  // namespace

HeldFolder::HeldFolder(const std::string& folder) : handle_(::open(folder.c_str(), O_RDONLY | O_CLOEXEC | O_DIRECTORY))
{}

InputFile InputFile::Open(const std::string& path)
{
    detail::CheckFault(DiskStep::OpenRead, path, true);
    return Checked(FileHandle(::open(path.c_str(), kReadFlags)), path);
}

InputFile InputFile::OpenIn(const HeldFolder& folder, const std::string& name, const std::string& path)
{
    if (!folder.handle_.IsOpen())
        return Open(path);
    detail::CheckFault(DiskStep::OpenRead, path, true);
    return Checked(FileHandle(::openat(Fd(folder.handle_), name.c_str(), kReadFlags)), path);
}

// The open learnt both from its fstat.
std::uint64_t InputFile::Length() const { return length_; }

std::int64_t InputFile::ModifiedTime() const { return modified_; }

namespace {

// Reads until `count` bytes or the end of the file; the fault hook was asked already.
std::size_t ReadAllAt(int fd, std::uint64_t offset, void* buffer, std::size_t count, const std::string& path)
{
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        ssize_t got = ::pread(fd, out + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ThrowFileError(errno, path);
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

}  // namespace

std::size_t InputFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t count) const
{
    detail::CheckFault(DiskStep::Read, path_, true);
    return ReadAllAt(Fd(handle_), offset, buffer, count, path_);
}

InputFile::Read InputFile::ReadAtTellingSource(std::uint64_t offset, void* buffer, std::size_t count) const
{
#if defined(__linux__) && defined(RWF_NOWAIT)
    detail::CheckFault(DiskStep::Read, path_, true);
    if (count > 0) {
        // With RWF_NOWAIT the read takes what the page cache holds and never waits for the disk.
        iovec piece{buffer, count};
        ssize_t got;
        do
            got = ::preadv2(Fd(handle_), &piece, 1, static_cast<off_t>(offset), RWF_NOWAIT);
        while (got < 0 && errno == EINTR);
        if (got >= 0 && static_cast<std::size_t>(got) == count)
            return {count, Source::Memory};
        if (got == 0)  // the file ends there: nothing was waited for
            return {0, Source::Memory};
        if (got > 0) {
            const auto done = static_cast<std::size_t>(got);
            const std::size_t rest =
                ReadAllAt(Fd(handle_), offset + done, static_cast<char*>(buffer) + done, count - done, path_);
            // Short only at the end of the file: the first try then had every byte there is.
            return {done + rest, rest == 0 ? Source::Memory : Source::Disk};
        }
        if (errno == EAGAIN)
            return {ReadAllAt(Fd(handle_), offset, buffer, count, path_), Source::Disk};
        if (errno != EOPNOTSUPP && errno != EINVAL && errno != ENOSYS)
            ThrowFileError(errno, path_);
    }
    return {ReadAllAt(Fd(handle_), offset, buffer, count, path_), Source::NotKnown};
#else
    return {ReadAt(offset, buffer, count), Source::NotKnown};
#endif
}

void InputFile::OnlyWhatIsAsked() const
{
#ifdef POSIX_FADV_RANDOM
    ::posix_fadvise(Fd(handle_), 0, 0, POSIX_FADV_RANDOM);
#endif
}

void InputFile::WillNeed(std::uint64_t offset, std::size_t count) const
{
#ifdef POSIX_FADV_WILLNEED
    ::posix_fadvise(Fd(handle_), static_cast<off_t>(offset), static_cast<off_t>(count), POSIX_FADV_WILLNEED);
#else
    (void)offset;
    (void)count;
#endif
}

OutputFile OutputFile::Create(const std::string& path, Mode mode)
{
    detail::CheckFault(DiskStep::Create, path, true);
    if (mode == Mode::ReplaceLeftover) {
        struct stat info {};
        // A folder of that name stays, and the create below names it.
        if (::lstat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode) && ::unlink(path.c_str()) != 0)
            ThrowFileError(errno, path);
    }
    FileHandle handle(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!handle.IsOpen())
        ThrowFileError(errno, path);
    return OutputFile(std::move(handle), path);
}

void OutputFile::Write(std::string_view bytes)
{
    detail::CheckFault(DiskStep::Write, path_, true);
    while (!bytes.empty()) {
        ssize_t put = ::write(Fd(handle_), bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR)
                continue;
            ThrowFileError(errno, path_);
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
}

void OutputFile::Flush()
{
    detail::CheckFault(DiskStep::Flush, path_, true);
    if (::fsync(Fd(handle_)) != 0 && errno != EINVAL && errno != EROFS)
        ThrowFileError(errno, path_);
}

void RemoveFile(const std::string& path)
{
    detail::CheckFault(DiskStep::Remove, path, true);
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0) {
        // Like Windows: folders are not files, and a read-only file is not deleted.
        if (S_ISDIR(info.st_mode) || (info.st_mode & 0222) == 0)
            ThrowFileError(EACCES, path);
    }
    if (::unlink(path.c_str()) != 0)
        ThrowFileError(errno, path);
}

void MoveFileNoReplace(const std::string& from, const std::string& to)
{
    detail::CheckFault(DiskStep::Move, from, true);
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return;
    if (errno != EINVAL && errno != ENOSYS)
        ThrowFileError(errno, from);
#endif
    // No atomic no-replace rename here: a hard link refuses an existing target just the same.
    if (::link(from.c_str(), to.c_str()) != 0)
        ThrowFileError(errno, from);
    if (::unlink(from.c_str()) != 0) {
        int saved = errno;
        ::unlink(to.c_str());
        ThrowFileError(saved, from);
    }
}

void ReplaceFileAtomically(const std::string& from, const std::string& to)
{
    detail::CheckFault(DiskStep::Replace, from, true);
    if (::rename(from.c_str(), to.c_str()) != 0)
        ThrowFileError(errno, from);
}

}  // namespace thld
