#include <windows.h>

#include "platform/folder_stamps.h"
#include "platform/utf16.h"

namespace thld {

namespace {

// 100-nanosecond ticks since 1601 as nanoseconds since 1970.
std::int64_t Nanoseconds(const FILETIME& time)
{
    const std::int64_t ticks = (std::int64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return (ticks - 116444736000000000LL) * 100;
}

constexpr DWORD kNotAFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;

// The creation time stands in for the change the system doesn't tell: a file put in the place of
// another under its name is created anew.
FileStamp StampOf(const WIN32_FIND_DATAW& found)
{
    if ((found.dwFileAttributes & kNotAFile) != 0) {
        FileStamp other;
        other.regular = false;
        return other;
    }
    const std::uint64_t size = (std::uint64_t(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    return FileStamp{size, Nanoseconds(found.ftLastWriteTime), Nanoseconds(found.ftCreationTime), 0, 0};
}

}  // namespace

std::optional<FileStamp> ReadFileStamp(const std::string& folder, const std::string& name)
{
    // A wildcard would find another file; a separator, a file elsewhere.
    if (name.empty() || name.find_first_of("*?/\\:") != std::string::npos)
        return std::nullopt;
    WIN32_FIND_DATAW found{};
    HANDLE search =
        ::FindFirstFileExW(WideOf(folder + name).c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return std::nullopt;
    ::FindClose(search);
    return StampOf(found);
}

std::unique_ptr<FolderStamps> FolderStamps::Read(const std::string& folder)
{
    std::string pattern = folder;
    while (!pattern.empty() && (pattern.back() == '\\' || pattern.back() == '/'))
        pattern.pop_back();
    pattern += "\\*";
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileExW(WideOf(pattern).c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                       FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE)
        return nullptr;
    std::unique_ptr<FolderStamps> made(new FolderStamps);
    FolderStamps& stamps = *made;
    do {
        const std::string name = Utf8Of(found.cFileName);
        if (name == "." || name == "..")
            continue;
        stamps.Add(name, StampOf(found));
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    stamps.Index();
    return made;
}

}  // namespace thld
