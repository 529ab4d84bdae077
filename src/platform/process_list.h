#pragma once
// The executable names of the running processes, as the system reports them (a bare file name on
// some systems, a full path on others).

#include <string>
#include <vector>

namespace thld {

// Empty when the process list is not available. On Linux each process gives the last part of its
// argv[0] (which is not cut short, and names the Windows program of a process run by Wine) and,
// where it differs, the kernel's name for it (cut to 15 characters); on macOS the last part of the
// program's path and its name.
std::vector<std::string> RunningProcessNames();

}  // namespace thld
