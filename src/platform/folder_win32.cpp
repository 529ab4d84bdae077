#include <windows.h>

#include "platform/file_error.h"
#include "platform/file_fault.h"
#include "platform/folder.h"
#include "platform/utf16.h"

namespace thld {

namespace {
std::string WithoutTrailingSeparator(std::string path)
{
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/'))
        path.pop_back();
    return path;
}

DWORD AttributesOf(const std::string& path)
{
    return ::GetFileAttributesW(WideOf(WithoutTrailingSeparator(path)).c_str());
}
}  // namespace

bool PathExists(const std::string& path) { return !path.empty() && AttributesOf(path) != INVALID_FILE_ATTRIBUTES; }

bool IsFolder(const std::string& path)
{
    if (path.empty())
        return false;
    DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

namespace {

bool AnyFoundFor(const std::string& pattern, const std::function<bool(std::string_view name)>& wanted)
{
    WIN32_FIND_DATAW found{};
    HANDLE search =
        ::FindFirstFileExW(WideOf(pattern).c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool held = false;
    do {
        const std::string name = Utf8Of(found.cFileName);
        held = name != "." && name != ".." && wanted(name);
    } while (!held && ::FindNextFileW(search, &found));
    ::FindClose(search);
    return held;
}

}  // namespace

bool FolderHoldsEntry(const std::string& folder, const std::function<bool(std::string_view name)>& wanted,
                      std::span<const std::string> shapes)
{
    const std::string inFolder = WithoutTrailingSeparator(folder) + "\\";
    if (shapes.empty())
        return AnyFoundFor(inFolder + "*", wanted);
    for (const std::string& shape : shapes)
        if (AnyFoundFor(inFolder + shape, wanted))
            return true;
    return false;
}

void MakeFolder(const std::string& path)
{
    detail::CheckFault(DiskStep::MakeFolder, path, true);
    const std::string folder = WithoutTrailingSeparator(path);
    if (::CreateDirectoryW(WideOf(folder).c_str(), nullptr))
        return;
    DWORD error = ::GetLastError();
    if (error == ERROR_ALREADY_EXISTS && IsFolder(folder))
        return;
    ThrowFileError(error, path);
}

}  // namespace thld
