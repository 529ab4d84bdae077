#include <windows.h>

#include "platform/file_handle.h"
#include "platform/path_stamp.h"
#include "platform/utf16.h"

namespace thld {

std::optional<PathStamp> StampOf(const std::string& path)
{
    const std::u16string wide = Utf8ToUtf16(path);
    // Opened for no access at all: no other program's unshared open is in the way.
    FileHandle handle(reinterpret_cast<std::intptr_t>(
        ::CreateFileW(reinterpret_cast<const wchar_t*>(wide.c_str()), 0,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr)));
    if (!handle.IsOpen())
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(reinterpret_cast<HANDLE>(handle.Native()), &info))
        return std::nullopt;
    const auto join = [](DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; };
    return PathStamp{
        join(info.nFileIndexHigh, info.nFileIndexLow), join(info.nFileSizeHigh, info.nFileSizeLow),
        static_cast<std::int64_t>(join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime))};
}

}  // namespace thld
