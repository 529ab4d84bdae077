#include <unistd.h>
#include <cerrno>

#include "platform/file_handle.h"

namespace thld {

unsigned long FileHandle::Close() noexcept
{
    if (!IsOpen())
        return 0;
    int fd = static_cast<int>(std::exchange(native_, kNone));
    // The descriptor is gone after close whatever it answers, so it is never closed twice.
    return ::close(fd) == 0 ? 0 : static_cast<unsigned long>(errno);
}

}  // namespace thld
