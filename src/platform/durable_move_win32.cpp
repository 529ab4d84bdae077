#include <windows.h>

#include "platform/durable_move.h"
#include "platform/file_error.h"
#include "platform/file_fault.h"
#include "platform/utf16.h"

namespace thld {

// NTFS keeps a folder's changes in its own journal; the moves here ask for write-through.
void SyncFolder(const std::string& folder) { detail::CheckFault(DiskStep::Sync, folder, true); }

namespace detail {
bool RenameOnSameDevice(const std::string& from, const std::string& to)
{
    CheckFault(DiskStep::Move, from, true);
    const std::u16string wideFrom = Utf8ToUtf16(from);
    const std::u16string wideTo = Utf8ToUtf16(to);
    // No MOVEFILE_COPY_ALLOWED: a copy made by the system would be neither synced nor undone.
    if (::MoveFileExW(reinterpret_cast<const wchar_t*>(wideFrom.c_str()),
                      reinterpret_cast<const wchar_t*>(wideTo.c_str()), MOVEFILE_WRITE_THROUGH))
        return true;
    const DWORD error = ::GetLastError();
    if (error == ERROR_NOT_SAME_DEVICE)
        return false;
    ThrowFileError(error, from);
}
void RefuseUnremovable(const std::string& path)
{
    const std::u16string wide = Utf8ToUtf16(path);
    const DWORD attributes = ::GetFileAttributesW(reinterpret_cast<const wchar_t*>(wide.c_str()));
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        throw FileError(FileErrorCause::AccessDenied, path, ERROR_ACCESS_DENIED);
}
}  // namespace detail

}  // namespace thld
