#pragma once
// One cached file made permanent: moved to its destination, and its line removed from cache.ini.

#include <string>

#include "commands/user_prompt.h"

namespace thld {

// Moves the cached file `source` to `destination` and then removes line `lineNumber` from
// cache.ini. When a file is at the destination already, asks first ("Confirm Replace File"); on No
// nothing changes. A replaced file is moved aside within its folder and deleted only once the
// cached file has taken its place; should a step fail, what was moved goes back and the FileError
// goes on.
void MoveCachedFile(const std::string& cacheFolder, const std::string& source,
                    const std::string& destination, int lineNumber, UserPrompt& prompt);

}  // namespace thld
