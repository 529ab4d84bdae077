#include <sys/stat.h>

#include "platform/file_link.h"

namespace thld {

LinkKind LinkAt(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode))
        return LinkKind::Removable;
    return LinkKind::None;
}

}  // namespace thld
