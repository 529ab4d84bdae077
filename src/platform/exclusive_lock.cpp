#include "platform/exclusive_lock.h"

#include <thread>

namespace thld {

std::optional<ExclusiveLock> ExclusiveLock::Take(const std::string& path, std::chrono::milliseconds wait)
{
    const auto until = std::chrono::steady_clock::now() + wait;
    for (;;) {
        FileHandle handle = OpenLockFile(path);
        if (handle.IsOpen() && TryLock(handle, path)) {
            if (StillNamed(handle, path))
                return ExclusiveLock(std::move(handle), path);
            continue;  // the holder before let go and removed it: take the next file
        }
        if (std::chrono::steady_clock::now() >= until)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

ExclusiveLock& ExclusiveLock::operator=(ExclusiveLock&& other) noexcept
{
    if (this != &other) {
        if (handle_.IsOpen())
            Release();
        handle_ = std::move(other.handle_);
        path_ = std::move(other.path_);
    }
    return *this;
}

ExclusiveLock::~ExclusiveLock()
{
    if (handle_.IsOpen())
        Release();
}

}  // namespace thld
