#include <windows.h>

#include "platform/anchored_folder.h"
#include "platform/file_error.h"
#include "platform/file_fault.h"
#include "platform/file_link.h"
#include "platform/utf16.h"

namespace thld {

namespace {

DWORD AttributesOf(const std::string& path) { return ::GetFileAttributesW(WideOf(path).c_str()); }

bool IsPlainFile(const std::string& path)
{
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) == 0 &&
           LinkAt(path) == LinkKind::None;
}

}  // namespace

AnchoredFolder AnchoredFolder::Open(const std::string& folder)
{
    const DWORD attributes = AttributesOf(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        ThrowFileError(::GetLastError(), folder);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        throw FileError(FileErrorCause::NotRegularFile, folder);
    return AnchoredFolder(FileHandle(), folder);
}

AnchoredFolder::Entry AnchoredFolder::At(const std::string& name) const
{
    if (AttributesOf(PathOf(name)) == INVALID_FILE_ATTRIBUTES)
        return Entry::None;
    return IsPlainFile(PathOf(name)) ? Entry::File : Entry::Other;
}

std::optional<std::uint64_t> AnchoredFolder::FileLength(const std::string& name) const
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!IsPlainFile(PathOf(name)) ||
        !::GetFileAttributesExW(WideOf(PathOf(name)).c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void AnchoredFolder::Remove(const std::string& name) const
{
    detail::CheckFault(DiskStep::Remove, PathOf(name), true);
    if (!IsPlainFile(PathOf(name)))
        throw FileError(FileErrorCause::NotRegularFile, PathOf(name));
    if (!::DeleteFileW(WideOf(PathOf(name)).c_str()))
        ThrowFileError(::GetLastError(), PathOf(name));
}

void AnchoredFolder::MoveNoReplace(const std::string& name, const AnchoredFolder& to, const std::string& toName) const
{
    detail::CheckFault(DiskStep::Move, PathOf(name), true);
    if (!IsPlainFile(PathOf(name)))
        throw FileError(FileErrorCause::NotRegularFile, PathOf(name));
    if (!::MoveFileExW(WideOf(PathOf(name)).c_str(), WideOf(to.PathOf(toName)).c_str(), MOVEFILE_WRITE_THROUGH))
        ThrowFileError(::GetLastError(), PathOf(name));
}

// NTFS keeps a folder's changes in its own journal; the moves ask for write-through.
void AnchoredFolder::Sync() const { detail::CheckFault(DiskStep::Sync, path_, true); }

}  // namespace thld
