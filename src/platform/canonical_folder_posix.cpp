#include <sys/stat.h>
#include <climits>
#include <cstdlib>

#include "platform/canonical_folder.h"

namespace thld {

std::optional<std::string> CanonicalFolder(const std::string& folder)
{
    char* resolved = ::realpath(folder.empty() ? "." : folder.c_str(), nullptr);
    if (resolved == nullptr)
        return std::nullopt;
    std::string path(resolved);
    std::free(resolved);
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return std::nullopt;
    if (path.back() != '/')
        path += '/';
    return path;
}

}  // namespace thld
