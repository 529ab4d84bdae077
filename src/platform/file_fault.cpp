#include "platform/file_fault.h"

namespace thld {

namespace {
DiskFaultHook& Hook()
{
    static DiskFaultHook hook;
    return hook;
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
    auto cause = Hook()(step, path);
    if (cause && raiseOnFault)
        throw FileError(*cause, path);
    return cause;
}
}  // namespace detail

}  // namespace thld
