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

// The folder where the program may keep what it can always make again, per user, ending in the
// path separator: $XDG_CACHE_HOME/tallyhold/ (by default ~/.cache/tallyhold/) on Linux,
// ~/Library/Caches/Tallyhold/ on macOS, %LOCALAPPDATA%\Tallyhold\ on Windows (also under Wine).
// Empty when it is not known. It may not exist yet.
std::string ProgramCacheFolder();

}  // namespace thld
