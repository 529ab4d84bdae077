#include <windows.h>

#include <vector>

#include "platform/file_error.h"
#include "platform/file_fault.h"
#include "platform/file_link.h"
#include "platform/pending_removal.h"
#include "platform/utf16.h"

namespace thld {

namespace {

HANDLE H(const FileHandle& handle) { return reinterpret_cast<HANDLE>(handle.Native()); }

// The path as the system's own rename takes it: \??\C:\..., \??\UNC\server\... (a name alone
// would be taken from the current folder under Wine).
std::u16string SystemPathOf(const std::string& path)
{
    std::u16string wide = Utf8ToUtf16(path);
    if (wide.starts_with(u"\\\\?\\"))
        return u"\\??\\" + wide.substr(4);
    if (wide.starts_with(u"\\\\"))
        return u"\\??\\UNC\\" + wide.substr(2);
    return u"\\??\\" + wide;
}

// Renames the open file (a full path, in the same folder).
bool Rename(HANDLE file, const std::u16string& name)
{
    const DWORD bytes = static_cast<DWORD>(name.size() * sizeof(char16_t));
    std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + bytes, '\0');
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = FALSE;
    info->RootDirectory = nullptr;
    info->FileNameLength = bytes;
    std::copy(name.begin(), name.end(), info->FileName);
    return ::SetFileInformationByHandle(file, FileRenameInfo, info, static_cast<DWORD>(buffer.size())) != 0;
}

// Marks the open file to be deleted when it is closed, or takes the mark off again.
bool MarkForDeletion(HANDLE file, bool deleted)
{
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = deleted ? TRUE : FALSE;
    return ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

}  // namespace

// The file is opened for deletion, unshared, as itself where it is a link, and renamed through that
// handle, so that nothing can come between. Marking it for deletion tells whether it can go; the mark
// comes off again at once, so that a program ended meanwhile leaves it under its other name, and
// goes on for good in Finish.
std::optional<PendingRemoval> PendingRemoval::Begin(const std::string& path, const std::string& aside)
{
    detail::CheckFault(DiskStep::Move, path, true);
    if (LinkAt(path) == LinkKind::Followed)
        ThrowFileError(ERROR_ACCESS_DENIED, path);
    const std::u16string wide = Utf8ToUtf16(path);
    FileHandle handle(reinterpret_cast<std::intptr_t>(::CreateFileW(reinterpret_cast<const wchar_t*>(wide.c_str()),
                                                                    DELETE | SYNCHRONIZE, 0, nullptr, OPEN_EXISTING,
                                                                    FILE_FLAG_OPEN_REPARSE_POINT, nullptr)));
    if (!handle.IsOpen()) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return std::nullopt;
        ThrowFileError(error, path);
    }
    if (!Rename(H(handle), SystemPathOf(aside)))
        ThrowFileError(::GetLastError(), path);
    if (!MarkForDeletion(H(handle), true)) {
        const DWORD error = ::GetLastError();  // a read-only file
        Rename(H(handle), SystemPathOf(path));
        ThrowFileError(error, path);
    }
    MarkForDeletion(H(handle), false);
    return PendingRemoval(path, aside, std::move(handle));
}

std::optional<PendingRemoval> PendingRemoval::BeginInPlace(const std::string& path, const std::string& aside)
{
    return Begin(path, aside);
}

void PendingRemoval::Finish()
{
    pending_ = false;
    if (auto cause = detail::CheckFault(DiskStep::Remove, aside_, false)) {
        handle_.Close();
        throw FileError(*cause, aside_);
    }
    if (!MarkForDeletion(H(handle_), true)) {
        const DWORD error = ::GetLastError();
        handle_.Close();
        ThrowFileError(error, aside_);
    }
    if (unsigned long error = handle_.Close())
        ThrowFileError(error, aside_);
}

void PendingRemoval::PutBack() noexcept
{
    MarkForDeletion(H(handle_), false);
    if (!detail::CheckFault(DiskStep::Move, aside_, false))
        Rename(H(handle_), SystemPathOf(path_));
    handle_.Close();
}

}  // namespace thld
