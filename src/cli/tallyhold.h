#pragma once
// The program: the command line read, the command run, and every error reported on standard error
// with its exit code; nothing gets past this boundary.

#include <string>
#include <vector>

namespace thld::cli {

// `arguments` are the program's arguments after its name, in UTF-8. Returns the exit code.
int RunTallyhold(const std::vector<std::string>& arguments);

}  // namespace thld::cli
