#include "platform/file_fault.h"

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
}  // namespace

DiskFaultHook SetDiskFaultHook(DiskFaultHook hook)
{
    DiskFaultHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

namespace detail {
std::optional<FileErrorCause> CheckFault(DiskStep step, const std::string& path, bool raiseOnFault)
{
    if (!Hook())
        return std::nullopt;
    std::lock_guard lock(Asking());
    auto cause = Hook()(step, path);
    if (cause && raiseOnFault)
        throw FileError(*cause, path);
    return cause;
}
}  // namespace detail

}  // namespace thld
