#include <windows.h>

#include "platform/exclusive_lock.h"
#include "platform/file_error.h"
#include "platform/utf16.h"

namespace thld {

FileHandle ExclusiveLock::OpenLockFile(const std::string& path)
{
    const std::u16string wide = Utf8ToUtf16(path);
    FileHandle handle(reinterpret_cast<std::intptr_t>(
        ::CreateFileW(reinterpret_cast<const wchar_t*>(wide.c_str()), GENERIC_READ | GENERIC_WRITE,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr)));
    if (!handle.IsOpen())
        ThrowFileError(::GetLastError(), path);
    return handle;
}

bool ExclusiveLock::TryLock(const FileHandle& handle, const std::string& path)
{
    OVERLAPPED at{};
    if (::LockFileEx(reinterpret_cast<HANDLE>(handle.Native()), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                     1, 0, &at))
        return true;
    const DWORD error = ::GetLastError();
    if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING)
        return false;
    ThrowFileError(error, path);
}

}  // namespace thld
