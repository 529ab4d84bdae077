#include <windows.h>

#include <optional>

#include "platform/file_handle.h"
#include "platform/file_link.h"
#include "platform/utf16.h"

namespace thld {

namespace {

const wchar_t* W(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// The path the system resolves an existing file or folder to, or nothing when it can't tell.
std::optional<std::wstring> ResolvedPath(const std::u16string& path)
{
    FileHandle handle(reinterpret_cast<std::intptr_t>(
        ::CreateFileW(W(path), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                      FILE_FLAG_BACKUP_SEMANTICS, nullptr)));
    if (!handle.IsOpen())
        return std::nullopt;
    std::wstring resolved(MAX_PATH, L'\0');
    for (;;) {
        HANDLE native = reinterpret_cast<HANDLE>(handle.Native());
        DWORD length = ::GetFinalPathNameByHandleW(native, resolved.data(), static_cast<DWORD>(resolved.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0)
            return std::nullopt;
        if (length < resolved.size()) {
            resolved.resize(length);
            return resolved;
        }
        resolved.resize(length + 1);
    }
}

bool SameNameIgnoringCase(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// False when the system resolves the file to another place than its own folder under its own name:
// Wine does so for a Unix symbolic link, reporting no reparse point. True when it can't tell.
bool ResolvesToItself(const std::u16string& path)
{
    const std::size_t separator = path.find_last_of(u"\\/");
    if (separator == std::u16string::npos)
        return true;
    auto file = ResolvedPath(path);
    auto folder = ResolvedPath(path.substr(0, separator + 1));
    if (!file || !folder)
        return true;
    std::wstring expected = *folder;
    if (expected.empty() || expected.back() != L'\\')
        expected += L'\\';
    const std::u16string name = path.substr(separator + 1);
    expected.append(name.begin(), name.end());
    return SameNameIgnoringCase(*file, expected);
}

}  // namespace

LinkKind LinkAt(const std::string& path)
{
    const std::u16string wide = Utf8ToUtf16(path);
    const DWORD attributes = ::GetFileAttributesW(W(wide));
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return LinkKind::None;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return LinkKind::Removable;
    return ResolvesToItself(wide) ? LinkKind::None : LinkKind::Followed;
}

}  // namespace thld
