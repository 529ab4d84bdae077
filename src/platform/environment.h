#pragma once
// What the program learns from its environment: variables and the user's home folder.

#include <optional>
#include <string>

namespace thld {

// The variable's value; nothing when it is not set (an empty value is a value).
std::optional<std::string> EnvironmentVariable(const char* name);

// The user's home folder, ending in the path separator (HOME on POSIX systems, USERPROFILE on
// Windows); empty when it is not known.
std::string HomeFolder();

}  // namespace thld
