#pragma once
// The executable names of the running processes, as the system reports them (a bare file name on
// some systems, a full path on others).

#include <string>
#include <vector>

namespace thld {

// Empty when the process list is not available.
std::vector<std::string> RunningProcessNames();

}  // namespace thld
