#include <windows.h>

#include "platform/canonical_folder.h"
#include "platform/file_handle.h"
#include "platform/utf16.h"

namespace thld {

std::optional<std::string> CanonicalFolder(const std::string& folder)
{
    const std::u16string wide = Utf8ToUtf16(folder.empty() ? std::string(".") : folder);
    // Backup semantics open a folder; the final path follows every link and junction on the way.
    FileHandle handle(reinterpret_cast<std::intptr_t>(::CreateFileW(
        reinterpret_cast<const wchar_t*>(wide.c_str()), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)));
    if (!handle.IsOpen())
        return std::nullopt;
    const HANDLE native = reinterpret_cast<HANDLE>(handle.Native());
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(native, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return std::nullopt;
    std::wstring resolved(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFinalPathNameByHandleW(native, resolved.data(), static_cast<DWORD>(resolved.size()),
                                                         FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0)
            return std::nullopt;
        if (length < resolved.size()) {
            resolved.resize(length);
            break;
        }
        resolved.resize(length + 1);
    }
    if (resolved.starts_with(L"\\\\?\\UNC\\"))
        resolved = L"\\\\" + resolved.substr(8);
    else if (resolved.starts_with(L"\\\\?\\"))
        resolved = resolved.substr(4);
    std::string path = Utf16ToUtf8(std::u16string(resolved.begin(), resolved.end()));
    if (path.empty())
        return std::nullopt;
    if (path.back() != '\\')
        path += '\\';
    return path;
}

}  // namespace thld
