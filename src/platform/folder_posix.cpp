#include <dirent.h>
#include <sys/stat.h>
#include <cerrno>
#include <memory>

#include "platform/file_error.h"
#include "platform/file_fault.h"
#include "platform/folder.h"

namespace thld {

bool PathExists(const std::string& path)
{
    struct stat info {};
    return !path.empty() && ::lstat(path.c_str(), &info) == 0;
}

bool IsFolder(const std::string& path)
{
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool FolderHoldsEntry(const std::string& folder, const std::function<bool(std::string_view name)>& wanted,
                      std::span<const std::string>)
{
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir)
        return false;
    while (dirent* entry = ::readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != ".." && wanted(name))
            return true;
    }
    return false;
}

void MakeFolder(const std::string& path)
{
    detail::CheckFault(DiskStep::MakeFolder, path, true);
    if (::mkdir(path.c_str(), 0777) == 0)
        return;
    int error = errno;
    if (error == EEXIST && IsFolder(path))
        return;
    ThrowFileError(static_cast<unsigned long>(error), path);
}

}  // namespace thld
