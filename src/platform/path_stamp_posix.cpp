#include <sys/stat.h>

#include "platform/path_stamp.h"

namespace thld {

std::optional<PathStamp> StampOf(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
#ifdef __APPLE__
    const auto& written = info.st_mtimespec;
#else
    const auto& written = info.st_mtim;
#endif
    return PathStamp{static_cast<std::uint64_t>(info.st_ino), static_cast<std::uint64_t>(info.st_size),
                     static_cast<std::int64_t>(written.tv_sec) * 1000000000 + written.tv_nsec};
}

}  // namespace thld
