#include <windows.h>

#include "platform/file_error.h"
#include "platform/file_fault.h"
#include "platform/folder.h"

namespace thld {

namespace {
std::string WithoutTrailingSeparator(std::string path)
{
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/'))
        path.pop_back();
    return path;
}
}  // namespace

bool PathExists(const std::string& path)
{
    return !path.empty() && ::GetFileAttributesA(WithoutTrailingSeparator(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(const std::string& path)
{
    if (path.empty())
        return false;
    DWORD attributes = ::GetFileAttributesA(WithoutTrailingSeparator(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    std::string pattern = WithoutTrailingSeparator(folder) + "\\*";
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(std::move(name));
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
}

void MakeFolder(const std::string& path)
{
    detail::CheckFault(DiskStep::MakeFolder, path, true);
    const std::string folder = WithoutTrailingSeparator(path);
    if (::CreateDirectoryA(folder.c_str(), nullptr))
        return;
    DWORD error = ::GetLastError();
    if (error == ERROR_ALREADY_EXISTS && IsFolder(folder))
        return;
    ThrowFileError(error, path);
}

}  // namespace thld
