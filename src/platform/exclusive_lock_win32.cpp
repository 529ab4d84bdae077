#include <windows.h>

#include "platform/exclusive_lock.h"
#include "platform/file_error.h"
#include "platform/path_stamp.h"
#include "platform/utf16.h"

namespace thld {

namespace {
HANDLE H(const FileHandle& handle) { return reinterpret_cast<HANDLE>(handle.Native()); }
}  // namespace

FileHandle ExclusiveLock::OpenLockFile(const std::string& path)
{
    const std::u16string wide = Utf8ToUtf16(path);
    const auto* name = reinterpret_cast<const wchar_t*>(wide.c_str());
    FileHandle handle(reinterpret_cast<std::intptr_t>(::CreateFileW(
        name, GENERIC_READ | GENERIC_WRITE | DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr)));
    if (handle.IsOpen()) {
        BY_HANDLE_FILE_INFORMATION info{};
        if (!::GetFileInformationByHandle(H(handle), &info))
            ThrowFileError(::GetLastError(), path);
        if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
            throw FileError(FileErrorCause::Link, path);
        if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            throw FileError(FileErrorCause::NotRegularFile, path);
        return handle;
    }
    const DWORD error = ::GetLastError();
    const DWORD attributes = ::GetFileAttributesW(name);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        throw FileError(FileErrorCause::NotRegularFile, path);
    // A file marked for deletion refuses every open until its last handle is closed.
    if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES)
        return handle;
    ThrowFileError(error, path);
}

bool ExclusiveLock::TryLock(const FileHandle& handle, const std::string& path)
{
    OVERLAPPED at{};
    if (::LockFileEx(H(handle), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
        return true;
    const DWORD error = ::GetLastError();
    if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING)
        return false;
    ThrowFileError(error, path);
}

bool ExclusiveLock::StillNamed(const FileHandle& handle, const std::string& path)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(H(handle), &info))
        return false;
    auto named = StampOf(path);
    return named && named->file == ((static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow);
}

// Marked for deletion while still locked: the file goes with the last handle to it.
void ExclusiveLock::Release() noexcept
{
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    ::SetFileInformationByHandle(H(handle_), FileDispositionInfo, &disposition, sizeof disposition);
    handle_.Close();
}

}  // namespace thld
