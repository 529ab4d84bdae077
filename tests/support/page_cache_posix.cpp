#include <fcntl.h>
#include <unistd.h>

#include "support/page_cache.h"

namespace thld::test {

bool DropFromMemory(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool dropped = ::fsync(fd) == 0;
#ifdef POSIX_FADV_DONTNEED
    dropped = dropped && ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) == 0;
#else
    dropped = false;
#endif
    ::close(fd);
    return dropped;
}

}  // namespace thld::test
