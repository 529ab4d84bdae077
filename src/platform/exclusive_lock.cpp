#include "platform/exclusive_lock.h"

#include <thread>

namespace thld {

std::optional<ExclusiveLock> ExclusiveLock::Take(const std::string& path, std::chrono::milliseconds wait)
{
    FileHandle handle = OpenLockFile(path);
    const auto until = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (TryLock(handle, path))
            return ExclusiveLock(std::move(handle));
        if (std::chrono::steady_clock::now() >= until)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace thld
