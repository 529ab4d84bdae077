#include "platform/file_fault.h"

#include <atomic>
#include <mutex>

namespace thld {

namespace {
DiskFaultHook& Hook()
{
    static DiskFaultHook hook;
    return hook;
}
// The probe reads on several threads: the hook is asked one step at a time. A hook may take disk
// steps of its own.
std::recursive_mutex& Asking()
{
    static std::recursive_mutex asking;
    return asking;
}
// Whether a hook is installed, asked without the lock: the program, which installs none, takes no
// lock on its disk steps.
std::atomic<bool>& Installed()
{
    static std::atomic<bool> installed{false};
    return installed;
}
}  // namespace

DiskFaultHook SetDiskFaultHook(DiskFaultHook hook)
{
    // Taken and given back under the lock: the program's background readers may be asking it.
    std::lock_guard lock(Asking());
    DiskFaultHook previous = std::move(Hook());
    Hook() = std::move(hook);
    Installed().store(static_cast<bool>(Hook()), std::memory_order_release);
    return previous;
}

namespace detail {
std::optional<FileErrorCause> CheckFault(DiskStep step, const std::string& path, bool raiseOnFault)
{
    if (!Installed().load(std::memory_order_acquire))
        return std::nullopt;
    std::lock_guard lock(Asking());
    if (!Hook())
        return std::nullopt;
    auto cause = Hook()(step, path);
    if (cause && raiseOnFault)
        throw FileError(*cause, path);
    return cause;
}
}  // namespace detail

}  // namespace thld
