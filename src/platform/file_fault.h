#pragma once
// Test seam: every disk step of the platform asks an installed hook first. A hook that answers a
// cause makes that step fail with it as though the system had refused (an open then gives nothing,
// the other steps raise FileError). Tests use it to fail each step in turn; the program installs
// none.

#include <functional>
#include <optional>
#include <string>

#include "platform/file_error.h"

namespace thld {

enum class DiskStep {
    OpenRead,
    Read,
    Create,
    Write,
    Flush,
    Close,
    Remove,
    Move,
    Replace,
    MakeFolder,
    Sync,  // a folder's changes handed to the disk (SyncFolder, AnchoredFolder::Sync)
};
using DiskFaultHook = std::function<std::optional<FileErrorCause>(DiskStep step, const std::string& path)>;

// Installs the hook (an empty one removes it) and gives back the one it replaces.
DiskFaultHook SetDiskFaultHook(DiskFaultHook hook);

namespace detail {
// Asks the installed hook about a step; raises FileError when raiseOnFault is set.
std::optional<FileErrorCause> CheckFault(DiskStep step, const std::string& path, bool raiseOnFault);
}  // namespace detail

}  // namespace thld
